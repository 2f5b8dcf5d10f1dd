#include "link/framing.h"

#include <gtest/gtest.h>

#include <chrono>

#include "link/byte_manipulation.h"
#include "link/receive_buffer.h"
#include "link_fixture.h"
#include "messages.h"

namespace {

using Bytes = std::vector<uint8_t>;

class FramingTest : public LinkTest {
protected:
    void Receive(const Bytes& bytes) {
        socket.Push(bytes);
        kv::OnDataArrival(c, static_cast<int32_t>(bytes.size()));
    }
};

TEST_F(FramingTest, StrayBytesAreDiscardedAndTheMessageBehindThemDecodedAtOnce) {
    Receive({0x01, 0x02, 0x7F});
    EXPECT_TRUE(Live().empty());

    Bytes stream{0x10, 0x20};
    const Bytes type = msg::SwitcherType(42);
    stream.insert(stream.end(), type.begin(), type.end());
    Receive(stream);
    EXPECT_EQ(v.SwitcherType, 42);
    EXPECT_TRUE(Live().empty());
}

TEST_F(FramingTest, SplitMessageWaitsForItsEndByte) {
    const Bytes type = msg::SwitcherType(300);
    Receive(Bytes(type.begin(), type.begin() + 4));
    kv::DecodeTick(c);
    EXPECT_EQ(v.SwitcherType, 0);
    EXPECT_EQ(Live(), Bytes(type.begin(), type.begin() + 4));

    Receive(Bytes(type.begin() + 4, type.end()));
    EXPECT_EQ(v.SwitcherType, 300);
    EXPECT_TRUE(Live().empty());
}

TEST_F(FramingTest, EveryCompleteMessageIsDecodedUntilTheBudgetIsSpent) {
    // Each reading of the clock moves it on 1 ms, so four messages fit a 4 ms budget.
    std::chrono::steady_clock::time_point now;
    v.Decode.Now = [&now] { return now += std::chrono::milliseconds(1); };
    v.Decode.Budget = std::chrono::milliseconds(4);
    Bytes stream;
    for (int i = 1; i <= 10; ++i) {
        const Bytes m = msg::SwitcherType(i);
        stream.insert(stream.end(), m.begin(), m.end());
    }
    Receive(stream);
    EXPECT_EQ(v.SwitcherType, 4);
    EXPECT_TRUE(v.ReceiveBuffer.Backlog);
    kv::DecodeTick(c);
    EXPECT_EQ(v.SwitcherType, 8);
    kv::DecodeTick(c);
    EXPECT_EQ(v.SwitcherType, 10);
    EXPECT_FALSE(v.ReceiveBuffer.Backlog);
    EXPECT_TRUE(Live().empty());
    kv::DecodeTick(c);  // an empty buffer is left alone
    EXPECT_TRUE(Live().empty());
}

TEST_F(FramingTest, CutShortMessageGivesWayToTheCommandByteInsideIt) {
    Bytes stream{0xE5, 0x01, 0x00};  // cut short by the next command byte
    const Bytes type = msg::SwitcherType(77);
    stream.insert(stream.end(), type.begin(), type.end());
    Receive(stream);
    EXPECT_EQ(v.SwitcherType, 77);
    EXPECT_TRUE(Live().empty());
}

TEST_F(FramingTest, SingleByteCommandInterruptsAnUnfinishedMessage) {
    // 0xF5 inside a switcher type message: the head is dropped, the poll answered,
    // the tail is stray data and its 0xFF a message without handler.
    Receive({0xE5, 0x01, 0x00, 0xF5, 0x00, 0x05, 0x00, 0x00, 0x06, 0xFF});
    EXPECT_EQ(socket.TakeWritten(), Bytes{0xF4});
    EXPECT_TRUE(Live().empty());
    EXPECT_EQ(v.SwitcherType, 0);
}

TEST_F(FramingTest, SingleByteCommandsAtTheFront) {
    Receive({0xF5, 0xF3, 0x81});
    EXPECT_EQ(socket.TakeWritten(), Bytes{0xF4});  // answered although more bytes follow
    EXPECT_EQ(Live(), Bytes{0x81});  // 0xF3 goes without effect; an unfinished message stays
    kv::DecodeTick(c);
    EXPECT_EQ(Live(), Bytes{0x81});
    EXPECT_TRUE(socket.Written.empty());
}

TEST_F(FramingTest, MessagesWithoutHandlerAreConsumedWhole) {
    Bytes stream{0xFF};                                    // lone end byte
    for (const uint8_t code : {0xEB, 0xFE, 0xF2, 0x90}) {  // no handler, or the panel's own
        const Bytes m = msg::Framed(code, {0x01, 0x02});
        stream.insert(stream.end(), m.begin(), m.end());
    }
    Receive(stream);
    EXPECT_TRUE(Live().empty());
    EXPECT_TRUE(socket.Written.empty());
    EXPECT_EQ(LogEntries(), 0);
}

TEST_F(FramingTest, DataArrivalReadsUntilWouldBlockThenDecodes) {
    socket.ReadChunk = 3;
    Bytes stream = msg::SwitcherType(9);
    const Bytes more = msg::SwitcherType(10);
    stream.insert(stream.end(), more.begin(), more.end());
    Receive(stream);
    EXPECT_TRUE(socket.Incoming.empty());
    EXPECT_EQ(v.SwitcherType, 10);
    EXPECT_TRUE(Live().empty());
}

TEST_F(FramingTest, ReadErrorOtherThanWouldBlockKeepsTheBytesForTheTimer) {
    socket.ReadError = 10054;
    Receive(msg::SwitcherType(11));
    EXPECT_EQ(v.SwitcherType, 0);
    EXPECT_EQ(Live(), msg::SwitcherType(11));
    kv::DecodeTick(c);
    EXPECT_EQ(v.SwitcherType, 11);
}

TEST_F(FramingTest, FloodWithoutEndByteIsCappedWithOneLogEntryAndDecodingGoesOn) {
    Bytes chunk(64 * 1024, 0x11);
    chunk[0] = 0xFC;  // an alpha table that never ends
    Receive(chunk);
    chunk[0] = 0x11;
    const std::size_t reads = kv::kReceiveBufferCap / chunk.size() + 20;
    for (std::size_t i = 0; i < reads; ++i) {
        Receive(chunk);
        ASSERT_LE(Live().size(), kv::kReceiveBufferCap);
    }
    EXPECT_EQ(LogCount("Receive buffer full"), 1);
    EXPECT_EQ(LogCount("Error Receiving IP Message"), 1);

    // The front was lost with the oldest bytes, so what is left is stray data.
    Receive(msg::SwitcherType(1234));
    EXPECT_EQ(v.SwitcherType, 1234);
    EXPECT_TRUE(Live().empty());
    EXPECT_LE(v.ReceiveBuffer.Data.capacity(), 3 * kv::kReceiveBufferCap);
}

TEST_F(FramingTest, ALegalMapOfTheLargestSizeFitsUnderTheCap) {
    // 16383 outputs of 64 extended entries is the largest map the server can send.
    const std::size_t largest = 8 + 16383u * (3 + 64u * 7);
    EXPECT_EQ(largest, 7388741u);
    EXPECT_GT(kv::kReceiveBufferCap, largest);
}

}  // namespace
