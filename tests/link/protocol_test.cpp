#include "link/protocol.h"

#include <gtest/gtest.h>

#include <functional>

#include "link_fixture.h"

namespace {

using ProtocolTest = LinkTest;

TEST(Protocol, WireBytesOfTheRequests) {
    using Send = std::function<void(kv::PanelContext&)>;
    struct Row {
        const char* name;
        Send send;
        Bytes wire;
    };
    const auto info = [](int32_t first, int32_t second) {
        return [=](kv::PanelContext& c) { kv::SendInfoRequest(c, first, second); };
    };
    const auto change = [](int16_t input, int16_t output, int16_t code) {
        return [=](kv::PanelContext& c) { kv::SendCrosspointChange(c, input, output, code); };
    };
    const Row rows[] = {
        {"first request", info(0x380, 0x2000), Hex("F2 00 07 00 00 00 40 00 00 00 00 47 FF")},
        {"map only", info(0x80, 0), Hex("F2 00 01 00 00 00 00 00 00 00 00 01 FF")},
        {"all bits", info(0x0FFFFFFF, 0x3FFF), Hex("F2 7F 7F 7F 7F 7F 7F 00 00 00 00 7A FF")},
        {"make", change(5, 12, 37), Hex("FE 25 08 05 00 0C 00 3E FF")},
        {"listen break, largest output", change(300, 16383, 32), Hex("FE 20 08 2C 02 7F 7F 54 FF")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LinkPanel p;
        row.send(p.c);
        EXPECT_EQ(p.socket.Written, row.wire);
        EXPECT_EQ(p.LogCount(), 0);
    }
}

TEST(Protocol, WritesAreRetriedFinishedOrDroppedWithoutDuplicatingBytes) {
    const Bytes make = Hex("FE 25 08 05 00 0C 00 3E FF");
    struct Row {
        const char* name;
        int32_t wouldBlock, limit, error;
        bool open;
        int16_t input, output;
        Bytes written;
        int32_t writeCalls;
        int logs;
    };
    const Row rows[] = {
        {"would-block and partial writes", 5, 2, 0, true, 5, 12, make, 5 + 5, 0},
        {"a socket that never takes it", 1000000, 0, 0, true, 5, 12, {}, kv::kMaxWriteAttempts, 1},
        {"a write error drops it silently", 0, 0, 10054, true, 5, 12, {}, 1, 0},
        {"a closed socket", 0, 0, 0, false, 5, 12, {}, 0, 0},
        {"an input the wire cannot carry", 0, 0, 0, true, -1, 12, {}, 0, 1},
        {"an output the wire cannot carry", 0, 0, 0, true, 5, 16384, {}, 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LinkPanel p;
        p.v.Connected = kv::kTrue;
        p.socket.WouldBlockWrites = row.wouldBlock;
        p.socket.WriteLimit = row.limit;
        p.socket.WriteError = row.error;
        p.socket.Connected = row.open;
        kv::SendCrosspointChange(p.c, row.input, row.output, 37);
        EXPECT_EQ(p.socket.Written, row.written);
        EXPECT_EQ(p.socket.WriteCalls, row.writeCalls);
        EXPECT_EQ(p.LogCount(), row.logs);
        // Only a closed socket takes the panel off line.
        EXPECT_EQ(p.v.Connected, row.open ? kv::kTrue : kv::kFalse);
        EXPECT_EQ(p.v.SocketConnected, row.open ? kv::kTrue : kv::kFalse);
    }
}

TEST_F(ProtocolTest, InformationRequestIsPendingEvenWhenItsWriteFails) {
    socket.WriteError = 10054;
    kv::SendInfoRequest(c, 0x200, 0x2000);
    EXPECT_TRUE(socket.Written.empty());
    EXPECT_EQ(v.PendingInfoMask, 0x200);
    EXPECT_EQ(v.PendingInfoMask2, 0x2000);
}

}  // namespace
