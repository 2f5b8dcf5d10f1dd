#include "link/framing.h"

#include <gtest/gtest.h>

#include <chrono>

#include "link/byte_manipulation.h"
#include "link/protocol.h"
#include "link/receive_buffer.h"
#include "link_fixture.h"
#include "messages.h"

namespace {

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

TEST(Framing, ReceivedBytesAreCutIntoMessagesAndTakenOnlyInTheirExactForm) {
    const Bytes type = msg::SwitcherType(300);
    const Bytes head(type.begin(), type.begin() + 4);
    Bytes badSum = type;
    badSum[8] ^= 1;
    const Bytes typeAnswer = Hex("81 07 01 08 FF");
    struct Row {
        const char* name;
        std::vector<Bytes> reads;
        int16_t type = 0;
        Bytes written = {};
        Bytes left = {};
        std::vector<int16_t> channels = {};  // empty: the table kept
        int logs = 0;
    };
    const Row rows[] = {
        {"stray bytes", {{0x01, 0x02, 0x7F}, Cat({{0x10, 0x20}, type})}, 300},
        {"message waiting for its end", {head}, 0, {}, head},
        {"message completed by the next read", {head, Bytes(type.begin() + 4, type.end())}, 300},
        {"message cut short by a command byte", {Cat({{0xE5, 0x01, 0x00}, type})}, 300},
        {"poll inside a message; the tail is stray and its 0xFF consumed",
         {Hex("E5 01 00 F5 00 05 00 00 06 FF")},
         0,
         {0xF4}},
        {"one-byte commands ahead of an unfinished message",
         {{0xF5, 0xF3, 0x81}},
         0,
         {0xF4},
         {0x81}},
        {"messages without handler, and the panel's own",
         {Cat({{0xFF},
               msg::Framed(0xEB, {1}),
               msg::Framed(0xFE, {1}),
               msg::Framed(0xF2, {1}),
               msg::Framed(0x90, {1})})}},
        {"switcher type, wrong fixed byte", {msg::Framed(0xE5, {2, 0, 0, 5, 0, 0, 0})}},
        {"switcher type, bad checksum", {badSum}},
        {"switcher type of nine bytes", {msg::Framed(0xE5, {1, 0, 0, 5, 0, 0})}},
        {"type request", {msg::Framed(0x81, {0x64})}, 0, typeAnswer},
        {"type request, one byte more", {msg::Framed(0x81, {0x64, 0x33})}, 0, typeAnswer},
        {"type request, wrong fixed byte", {msg::Framed(0x81, {0x65})}},
        {"type request, checksum off by one", {Hex("81 64 65 FF")}},
        {"type request of six bytes", {msg::Framed(0x81, {0x64, 1, 2})}},
        {"channel table",
         {msg::Framed(0xDE, {0, 3, 0, 0x7F, 0x7F, 0x7F, 0x7F, 3, 0})},
         0,
         {},
         {},
         {16383, 16383, 3}},
        {"channel table shorter than its count",
         {msg::Framed(0xDE, {0, 5, 0, 1, 0})},
         0,
         {},
         {},
         {},
         1},
        {"empty channel table", {msg::Framed(0xDE, {0, 0, 0})}, 0, {}, {}, {}, 1},
        {"channel table without a count", {msg::Framed(0xDE, {0})}, 0, {}, {}, {}, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LinkPanel p;
        p.socket.ReadChunk = 3;  // each arrival is read until the socket would block
        p.v.PendingInfoMask2 = kv::kRequestIcomChannels;
        p.v.CrosspointMap.resize(2);  // room for the own output the table update looks at
        const std::vector<int16_t> channels = p.v.IcomChannel;
        for (const Bytes& read : row.reads) {
            p.Receive(read);
        }
        EXPECT_EQ(p.v.SwitcherType, row.type);
        EXPECT_EQ(p.socket.Written, row.written);
        EXPECT_EQ(p.w.PollEnabled, row.written == typeAnswer);
        EXPECT_EQ(p.Live(), row.left);
        EXPECT_EQ(p.v.IcomChannel, row.channels.empty() ? channels : row.channels);
        EXPECT_EQ(p.v.PendingInfoMask2, row.channels.empty() ? kv::kRequestIcomChannels : 0);
        EXPECT_EQ(p.LogCount(), row.logs);
    }
}

using FramingTest = LinkTest;

TEST_F(FramingTest, ReadFailureLeavesTheBytesForTheDecodeTimer) {
    socket.ReadError = 10054;
    Receive(msg::SwitcherType(11));
    EXPECT_EQ(Live(), msg::SwitcherType(11));
    kv::DecodeTick(c);
    EXPECT_EQ(v.SwitcherType, 11);
}

TEST_F(FramingTest, DecodingStopsWhenTheBudgetIsSpentAndTheTimerGoesOn) {
    // Each reading of the clock moves it on 1 ms, so four messages fit a 4 ms budget.
    std::chrono::steady_clock::time_point now;
    v.Decode.Now = [&now] { return now += std::chrono::milliseconds(1); };
    v.Decode.Budget = std::chrono::milliseconds(4);
    Bytes stream;
    for (int i = 1; i <= 10; ++i) {
        stream = Cat({stream, msg::SwitcherType(i)});
    }
    Receive(stream);
    for (const int16_t expected : {4, 8, 10, 10}) {
        EXPECT_EQ(v.SwitcherType, expected);
        EXPECT_EQ(v.ReceiveBuffer.Backlog, expected < 10);
        kv::DecodeTick(c);
    }
    EXPECT_TRUE(Live().empty());
}

TEST_F(FramingTest, FloodWithoutEndByteIsCappedWithOneLogEntryAndDecodingGoesOn) {
    Bytes chunk(64 * 1024, 0x11);
    chunk[0] = 0xFC;  // an alpha table that never ends
    Receive(chunk);
    chunk[0] = 0x11;
    for (std::size_t i = 0; i < kv::kReceiveBufferCap / chunk.size() + 20; ++i) {
        Receive(chunk);
        ASSERT_LE(Live().size(), kv::kReceiveBufferCap);
    }
    EXPECT_EQ(LogCount("Receive buffer full"), 1);
    EXPECT_EQ(LogCount(), 1);
    // The front was lost with the oldest bytes, so what is left is stray data.
    Receive(msg::SwitcherType(1234));
    EXPECT_EQ(v.SwitcherType, 1234);
    EXPECT_TRUE(Live().empty());
    EXPECT_LE(v.ReceiveBuffer.Data.capacity(), 3 * kv::kReceiveBufferCap);
}

TEST_F(FramingTest, TrimBufferTakesFromTheFrontAndCompactsOnlyALargeDeadFront) {
    Bytes data(1000);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<uint8_t>(i % 251);
    }
    kv::AppendReceived(v, data);
    EXPECT_EQ(kv::TrimBuffer(v, 3), (Bytes{0, 1, 2}));
    EXPECT_EQ(kv::TrimBuffer(v, 497).back(), 499 % 251);
    EXPECT_EQ(v.ReceiveBuffer.Start, 500u);  // the dead front is not yet larger than the rest
    EXPECT_EQ(kv::TrimBuffer(v, 1), Bytes{500 % 251});
    EXPECT_EQ(v.ReceiveBuffer.Start, 0u);
    EXPECT_TRUE(kv::TrimBuffer(v, 0).empty());  // a failure, logged
    EXPECT_EQ(kv::TrimBuffer(v, 5000), Bytes(data.begin() + 501, data.end()));
    EXPECT_EQ(LogCount("Error Trimming Buffer"), 1);
}

}  // namespace
