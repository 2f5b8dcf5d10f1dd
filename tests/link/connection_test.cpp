#include "link/connection.h"

#include <gtest/gtest.h>

#include "link/poll_timer.h"
#include "link/protocol.h"
#include "link_fixture.h"

namespace {

const Bytes kFirstRequest = Hex("F2 00 07 00 00 00 40 00 00 00 00 47 FF");
const std::string kOffline = "ZEB Intercom Keyvane - Not Connected";

class ConnectionTest : public LinkTest {
protected:
    ConnectionTest() { v.PendingInfoMask = v.PendingInfoMask2 = 0; }
    void Ticks(int n) {
        for (int t = 0; t < n; ++t) {
            kv::PollTick(c);
        }
    }
};

TEST_F(ConnectionTest, PollAnswerAndNotConnectedMoveBetweenOpenAndConnected) {
    v.KeptBreaks = {{5, 12, 33}, {7, 1, 32}};
    const std::pair<uint8_t, Bytes> steps[] = {
        // Connected: the tables are asked for, then the kept breaks go out once, in order.
        {0xF4, Hex("F2 00 07 00 00 00 40 00 00 00 00 47 FF FE 21 08 05 00 0C 00 3A FF "
                   "FE 20 08 07 00 01 00 30 FF")},
        {0xF4, {}},
        {0xF1, {}},
        {0xF1, {}},
        {0xF4, kFirstRequest},
    };
    for (const auto& [received, written] : steps) {
        v.UnansweredPolls = 3;
        Receive({received});
        EXPECT_EQ(w.Caption, received == 0xF4 ? "ZEB Intercom Keyvane - Connected" : kOffline);
        EXPECT_EQ(v.Connected, received == 0xF4 ? kv::kTrue : kv::kFalse);
        EXPECT_EQ(socket.TakeWritten(), written);
        EXPECT_EQ(v.UnansweredPolls, 0);
    }
    EXPECT_EQ(v.SocketConnected, kv::kTrue);
    // Kept breaks wait while the socket is gone.
    v.KeptBreaks = {{5, 12, 33}};
    socket.Connected = false;
    kv::ShowConnection(c, true);
    EXPECT_EQ(v.KeptBreaks.size(), 1u);
    EXPECT_TRUE(socket.Written.empty());
}

TEST_F(ConnectionTest, ServerClosingTheLinkMidMessageDoesNotHoldUpTheNextConnection) {
    Receive({0xF4, 0xF6, 0x01, 0x02});
    kv::OnSocketClose(c);
    EXPECT_EQ(v.Connected + v.SocketConnected, 0);
    EXPECT_EQ(w.Caption, kOffline);
    kv::OnSocketConnect(c);
    Receive({0xF4});
    EXPECT_EQ(v.Connected, kv::kTrue);
}

TEST_F(ConnectionTest, PollsEveryTicksPerPollTicksOrRepeatsAPendingRequest) {
    ASSERT_EQ(v.TicksPerPoll, 2);
    Ticks(1);
    EXPECT_TRUE(socket.Written.empty());
    Ticks(1);
    EXPECT_EQ(socket.TakeWritten(), Bytes{0xF5});
    EXPECT_EQ(v.PollSent, kv::kTrue);
    v.PendingInfoMask = 0x80;
    Ticks(2);
    EXPECT_EQ(socket.TakeWritten(), Hex("F2 00 01 00 00 00 00 00 00 00 00 01 FF"));
    EXPECT_EQ(v.UnansweredPolls, 2);
}

TEST_F(ConnectionTest, ServerSilentForTimeOutOverRefreshRatePollsIsDropped) {
    v.TimeOut = 5;
    int polls = 0;
    while (v.SocketConnected == kv::kTrue && polls < 100) {
        Ticks(2);
        polls += socket.TakeWritten() == Bytes{0xF5} ? 1 : 0;
        Receive({0xF5});  // the server's own polls are no answer
        socket.TakeWritten();
    }
    EXPECT_EQ(polls, 6);
    EXPECT_EQ(v.UnansweredPolls, 0);
    EXPECT_EQ(w.Caption, kOffline);
}

TEST_F(ConnectionTest, TickClearsTheNoSystemBoxesOnceEveryTableArrivedAndStepsCallFlashes) {
    v.PendingInfoMask = 0x200;
    Ticks(1);
    EXPECT_EQ(w.InputWindowText, "NoSystem");
    v.PendingInfoMask = 0;
    v.CrosspointMap.resize(2);
    v.ButtonTable[3] = {kv::kTalk, 5, kv::kTrue, 0, 0, {}, 0};  // calling; the caller gone
    Ticks(1);
    EXPECT_EQ(w.InputWindowText + w.PresetWindowText, "");
    EXPECT_EQ(v.ButtonTable[3].OverhangCount, v.OverHang);
    EXPECT_EQ(v.ButtonTable[2].OverhangCount, 0);
    w.InputWindowText = "Studio A";
    Ticks(1);
    EXPECT_EQ(w.InputWindowText, "Studio A");
}

TEST_F(ConnectionTest, ClosedSocketReconnectsWaitingForAnAttemptUpToTheTimeOut) {
    v.SocketConnected = kv::kFalse;
    v.TimeOut = 5;
    v.TickInterval = 500;
    v.IPAddress = "10.1.2.3";
    socket.Events.Close = [this] { kv::OnSocketClose(c); };
    const std::pair<int, int> steps[] = {{1, 1}, {9, 1}, {1, 2}};  // ticks, attempts after them
    for (const auto& [ticks, attempts] : steps) {
        Ticks(ticks);
        EXPECT_EQ(socket.ConnectCalls, attempts);
    }
    EXPECT_EQ(socket.Address + ":" + std::to_string(socket.Port), "10.1.2.3:1250");
    EXPECT_EQ(socket.CloseCalls, 1);  // the attempt abandoned at 5 s
    kv::OnSocketClose(c);             // a failed attempt: the next tick tries at once
    Ticks(1);
    EXPECT_EQ(socket.ConnectCalls, 3);
    socket.ConnectResult = 1;  // an attempt that cannot start is retried on every tick
    kv::ConnectToServer(c);
    Ticks(2);
    EXPECT_EQ(socket.ConnectCalls, 6);
    socket.ConnectResult = 0;
    socket.CloseInConnect = true;  // so is one whose close comes inside the call
    Ticks(2);
    EXPECT_EQ(socket.ConnectCalls, 8);
    EXPECT_EQ(v.SocketConnected, kv::kFalse);  // only the connect event opens it
}

}  // namespace
