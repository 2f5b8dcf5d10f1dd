#include "link/connection.h"

#include <gtest/gtest.h>

#include "link/poll_timer.h"
#include "link_fixture.h"

namespace {

const std::string kOffline = "ZEB Intercom Keyvane - Not Connected";

class ConnectionTest : public LinkTest {
protected:
    ConnectionTest() { v.PendingInfoMask = v.PendingInfoMask2 = 0; }
    // Poll timer ticks; the connect attempts made so far.
    int Ticks(int n) {
        for (int t = 0; t < n; ++t) {
            kv::PollTick(c);
        }
        return socket.ConnectCalls;
    }
};

TEST_F(ConnectionTest, PollAnswerNotConnectedAndCloseMoveTheLinkBetweenItsStates) {
    v.KeptBreaks = {{5, 12, 33}, {7, 1, 32}};
    // Connected: the tables are asked for, then the kept breaks go out once, in order.
    const std::string request = "F2 00 07 00 00 00 40 00 00 00 00 47 FF ";
    const std::pair<uint8_t, std::string> steps[] = {
        {0xF4, request + "FE 21 08 05 00 0C 00 3A FF FE 20 08 07 00 01 00 30 FF"},
        {0xF4, ""},
        {0xF1, ""},
        {0xF1, ""},
        {0xF4, request}};
    for (const auto& [received, written] : steps) {
        v.UnansweredPolls = 3;
        Receive({received});
        EXPECT_EQ(w.Caption, received == 0xF4 ? "ZEB Intercom Keyvane - Connected" : kOffline);
        EXPECT_EQ(v.Connected, received == 0xF4 ? kv::kTrue : kv::kFalse);
        EXPECT_EQ(socket.TakeWritten(), Hex(written));
        EXPECT_EQ(v.UnansweredPolls, 0);
    }
    // The server closes the link in the middle of a message.
    Receive({0xF6, 0x01, 0x02});
    kv::OnSocketClose(c);
    EXPECT_EQ(v.Connected + v.SocketConnected, 0);
    EXPECT_EQ(w.Caption, kOffline);
    v.KeptBreaks = {{5, 12, 33}};  // kept while the socket is gone
    kv::ShowConnection(c, true);
    EXPECT_EQ(v.KeptBreaks.size(), 1u);
    kv::OnSocketConnect(c);
    EXPECT_EQ(v.SocketConnected, kv::kTrue);
    EXPECT_TRUE(Live().empty());  // the unfinished head would hold up the new link's messages
}

TEST_F(ConnectionTest, PollsEveryTicksPerPollTicksAndDropsAServerSilentForTimeOut) {
    ASSERT_EQ(v.TicksPerPoll, 2);
    v.TimeOut = 5;  // over RefreshRate 1: the sixth unanswered poll is the last
    const std::string poll = "F5", request = "F2 00 01 00 00 00 00 00 00 00 00 01 FF";
    // Each step: two ticks, then the server's own poll, which is no answer.
    for (const std::string& sent : {poll, poll, request, poll, poll, poll, std::string()}) {
        v.PendingInfoMask = sent == request ? 0x80 : 0;  // a table missing: asked again
        Ticks(1);
        EXPECT_TRUE(socket.Written.empty());
        Ticks(1);
        EXPECT_EQ(socket.TakeWritten(), Hex(sent));
        EXPECT_EQ(v.PollSent, kv::kTrue);
        Receive({0xF5});
        socket.TakeWritten();
    }
    EXPECT_EQ(v.SocketConnected + v.UnansweredPolls, 0);
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
    EXPECT_EQ(Ticks(1), 1);
    EXPECT_EQ(Ticks(9), 1);  // 4.5 s: still waiting
    EXPECT_EQ(Ticks(1), 2);  // 5 s: abandoned and started again
    EXPECT_EQ(socket.Address + ":" + std::to_string(socket.Port), "10.1.2.3:1250");
    EXPECT_EQ(socket.CloseCalls, 1);
    kv::OnSocketClose(c);  // a failed attempt: the next tick tries at once
    EXPECT_EQ(Ticks(1), 3);
    socket.ConnectResult = 1;  // an attempt that cannot start is retried on every tick
    kv::ConnectToServer(c);
    EXPECT_EQ(Ticks(2), 6);
    socket.ConnectResult = 0;
    socket.CloseInConnect = true;  // so is one whose close comes inside the call
    EXPECT_EQ(Ticks(2), 8);
    EXPECT_EQ(v.SocketConnected, kv::kFalse);  // only the connect event opens it
}

}  // namespace
