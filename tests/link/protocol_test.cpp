#include "link/protocol.h"

#include <gtest/gtest.h>

#include "link_fixture.h"

namespace {

TEST(Protocol, WireBytesOfTheRequests) {
    struct Row {
        int32_t a, b;
        int16_t code;      // 0: an information request of words a and b, else a change of a to b
        const char* wire;  // none: refused, and logged
    };
    const Row rows[] = {
        {0x0FFFFFFF, 0x3FFF, 0, "F2 7F 7F 7F 7F 7F 7F 00 00 00 00 7A FF"},
        {300, 16383, kv::kListenBreak, "FE 20 08 2C 02 7F 7F 54 FF"},
        {-1, 12, kv::kMake, ""},  // numbers the wire cannot carry
        {5, 16384, kv::kBreak, ""},
    };
    for (const Row& row : rows) {
        LinkPanel p;
        if (row.code == 0) {
            kv::SendInfoRequest(p.c, row.a, row.b);
            EXPECT_EQ(p.v.PendingInfoMask + p.v.PendingInfoMask2, row.a + row.b);
        } else {
            kv::SendCrosspointChange(p.c, static_cast<int16_t>(row.a), static_cast<int16_t>(row.b),
                                     row.code);
        }
        EXPECT_EQ(p.socket.Written, Hex(row.wire)) << row.wire;
        EXPECT_EQ(p.LogCount(), *row.wire == 0 ? 1 : 0);
    }
}

TEST(Protocol, WritesAreRetriedFinishedOrDroppedWithoutDuplicatingBytes) {
    struct Row {
        const char* name;
        int32_t wouldBlock, limit, error;
        bool open, written;
        int32_t writeCalls;
        int logs;
    };
    const Row rows[] = {
        {"would-block and partial writes", 5, 2, 0, true, true, 5 + 5, 0},
        {"a socket that never takes it", 1000000, 0, 0, true, false, kv::kMaxWriteAttempts, 1},
        {"a write error drops it silently", 0, 0, 10054, true, false, 1, 0},
        {"a closed socket", 0, 0, 0, false, false, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LinkPanel p;
        p.v.Connected = kv::kTrue;
        p.socket.WouldBlockWrites = row.wouldBlock;
        p.socket.WriteLimit = row.limit;
        p.socket.WriteError = row.error;
        p.socket.Connected = row.open;
        kv::SendCrosspointChange(p.c, 5, 12, kv::kMake);
        EXPECT_EQ(p.socket.Written, Hex(row.written ? "FE 25 08 05 00 0C 00 3E FF" : ""));
        EXPECT_EQ(p.socket.WriteCalls, row.writeCalls);
        EXPECT_EQ(p.LogCount(), row.logs);
        // Only a closed socket takes the panel off line.
        EXPECT_EQ(p.v.Connected + p.v.SocketConnected, row.open ? 2 * kv::kTrue : 0);
    }
}

}  // namespace
