#include "link/framing.h"

#include <gtest/gtest.h>

#include <chrono>

#include "link/byte_manipulation.h"
#include "link/protocol.h"
#include "link/receive_buffer.h"
#include "link_fixture.h"

namespace {

// The switcher type message, for types below 128.
Bytes SwitcherType(int type) {
    return Framed(0xE5, {1, 0, 0, static_cast<uint8_t>(type), 0, 0, 0});
}

TEST(Framing, ReceivedBytesAreCutIntoMessagesAndTakenOnlyInTheirExactForm) {
    const std::string type = "E5 01 00 00 2C 02 00 00 2F FF";  // switcher type 300
    struct Row {
        const char* name;
        std::vector<std::string> reads;
        int16_t type = 0;
        std::string written = "", left = "";
        std::vector<int16_t> channels = {};  // empty: the table kept
        int logs = 0;
    };
    const Row rows[] = {
        {"stray bytes", {"01 02 7F", "10 20 " + type}, 300},
        {"waiting for its end", {"E5 01 00 00"}, 0, "", "E5 01 00 00"},
        {"completed by the next read", {"E5 01 00 00", "2C 02 00 00 2F FF"}, 300},
        {"cut short by a command byte", {"E5 01 00 " + type}, 300},
        {"a poll inside; the tail is stray, its 0xFF consumed",
         {"E5 01 00 F5 00 05 06 FF"},
         0,
         "F4"},
        {"one-byte commands before an unfinished message", {"F5 F3 81"}, 0, "F4", "81"},
        {"no handler, or the panel's own", {"FF EB 01 01 FF FE 01 01 FF F2 01 01 FF 90 01 01 FF"}},
        {"switcher type, wrong fixed byte", {"E5 02 00 00 05 00 00 00 07 FF"}},
        {"switcher type, bad checksum", {"E5 01 00 00 2C 02 00 00 2E FF"}},
        {"switcher type of nine bytes", {"E5 01 00 00 05 00 00 06 FF"}},
        {"type request", {"81 64 64 FF"}, 0, "81 07 01 08 FF"},
        {"type request, one byte more", {"81 64 33 17 FF"}, 0, "81 07 01 08 FF"},
        {"type request, wrong fixed byte", {"81 65 65 FF"}},
        {"type request, checksum off by one", {"81 64 65 FF"}},
        {"type request of six bytes", {"81 64 01 02 67 FF"}},
        {"channel table", {"DE 00 03 00 7F 7F 7F 7F 03 00 02 FF"}, 0, "", "", {16383, 16383, 3}},
        {"channel table shorter than its count", {"DE 00 05 00 01 00 06 FF"}, 0, "", "", {}, 1},
        {"empty channel table", {"DE 00 00 00 00 FF"}, 0, "", "", {}, 1},
        {"channel table without a count", {"DE 00 00 FF"}, 0, "", "", {}, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LinkPanel p;
        p.socket.ReadChunk = 3;  // each arrival is read until the socket would block
        p.v.PendingInfoMask2 = kv::kRequestIcomChannels;
        p.v.CrosspointMap.resize(2);  // room for the own output the table update looks at
        const std::vector<int16_t> channels = p.v.IcomChannel;
        for (const std::string& read : row.reads) {
            p.Receive(Hex(read));
        }
        EXPECT_EQ(p.v.SwitcherType, row.type);
        EXPECT_EQ(p.socket.Written, Hex(row.written));
        EXPECT_EQ(p.w.PollEnabled, p.socket.Written.size() == 5);  // the type answer
        EXPECT_EQ(p.Live(), Hex(row.left));
        EXPECT_EQ(p.v.IcomChannel, row.channels.empty() ? channels : row.channels);
        EXPECT_EQ(p.v.PendingInfoMask2, row.channels.empty() ? kv::kRequestIcomChannels : 0);
        EXPECT_EQ(p.LogCount(), row.logs);
    }
}

using FramingTest = LinkTest;

TEST_F(FramingTest, DecodingStopsWhenTheBudgetIsSpentAndTheTimerGoesOn) {
    // Each reading of the clock moves it on 1 ms, so four messages fit a 4 ms budget.
    std::chrono::steady_clock::time_point now;
    v.Decode.Now = [&now] { return now += std::chrono::milliseconds(1); };
    v.Decode.Budget = std::chrono::milliseconds(4);
    for (int i = 1; i <= 10; ++i) {
        const Bytes m = SwitcherType(i);
        socket.Incoming.insert(socket.Incoming.end(), m.begin(), m.end());
    }
    for (const int16_t expected : {4, 8, 10, 10}) {
        expected == 4 ? kv::OnDataArrival(c, 0) : kv::DecodeTick(c);
        EXPECT_EQ(v.SwitcherType, expected);
        EXPECT_EQ(v.ReceiveBuffer.Backlog, expected < 10);
    }
}

TEST_F(FramingTest, FloodWithoutEndByteIsCappedWithOneLogEntryAndDecodingGoesOn) {
    Bytes chunk(64 * 1024, 0x11);
    chunk[0] = 0xFC;  // an alpha table that never ends
    for (std::size_t i = 0; i < kv::kReceiveBufferCap / chunk.size() + 20; ++i) {
        Receive(chunk);
        chunk[0] = 0x11;
        ASSERT_LE(Live().size(), kv::kReceiveBufferCap);
    }
    EXPECT_EQ(LogCount("Receive buffer full"), 1);
    EXPECT_EQ(LogCount(), 1);
    // The front was lost with the oldest bytes, so what is left is stray data.
    Receive(SwitcherType(123));
    EXPECT_EQ(v.SwitcherType, 123);
    EXPECT_LE(v.ReceiveBuffer.Data.capacity(), 3 * kv::kReceiveBufferCap);
}

TEST_F(FramingTest, TheConsumedFrontIsCompactedOnlyOnceItOutgrowsTheRest) {
    kv::AppendReceived(v, Bytes(1000, 0x11));
    kv::TrimBuffer(v, 500);
    EXPECT_EQ(v.ReceiveBuffer.Start, 500u);
    kv::TrimBuffer(v, 1);
    EXPECT_EQ(v.ReceiveBuffer.Start, 0u);
    EXPECT_EQ(Live().size(), 499u);
    // Taking every byte ends an overflow episode: the next one is logged again.
    for (int episode = 1; episode <= 2; ++episode) {
        kv::AppendReceived(v, Bytes(kv::kReceiveBufferCap + 1, 0x11));
        kv::TrimBuffer(v, static_cast<int32_t>(Live().size()));
        EXPECT_EQ(LogCount("Receive buffer full"), episode);
    }
}

}  // namespace
