#include "link/poll_timer.h"

#include <gtest/gtest.h>

#include "link/connection.h"
#include "link/framing.h"
#include "link_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

class PollTimerTest : public LinkTest {
protected:
    PollTimerTest() {
        v.PendingInfoMask = 0;
        v.PendingInfoMask2 = 0;
    }
    void Answer(uint8_t b) {
        socket.Push({b});
        kv::OnDataArrival(c, 1);
    }
};

TEST_F(PollTimerTest, PollsEveryTicksPerPollTicks) {
    ASSERT_EQ(v.TicksPerPoll, 2);
    kv::PollTick(c);
    EXPECT_EQ(v.TickCount, 1);
    EXPECT_TRUE(socket.Written.empty());
    EXPECT_EQ(v.PollSent, kv::kFalse);

    kv::PollTick(c);
    EXPECT_EQ(socket.TakeWritten(), Bytes{0xF5});
    EXPECT_EQ(v.PollSent, kv::kTrue);
    EXPECT_EQ(v.UnansweredPolls, 1);
    EXPECT_EQ(v.TickCount, 0);

    Answer(0xF4);
    socket.TakeWritten();  // the first information request
    EXPECT_EQ(v.UnansweredPolls, 0);
    EXPECT_EQ(v.PendingInfoMask, 0x380);

    // While tables are missing, each poll moment repeats the request instead of polling.
    v.PendingInfoMask = 0x80;
    v.PendingInfoMask2 = 0;
    kv::PollTick(c);
    kv::PollTick(c);
    EXPECT_EQ(socket.TakeWritten(), (Bytes{0xF2, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                           0x00, 0x00, 0x01, 0xFF}));
    EXPECT_EQ(v.UnansweredPolls, 1);
    EXPECT_EQ(LogEntries(), 0);
}

TEST_F(PollTimerTest, SilentServerIsDroppedAfterTimeOutOverRefreshRatePolls) {
    v.TimeOut = 5;
    v.RefreshRate = 1;
    v.Connected = kv::kTrue;
    int polls = 0;
    for (int moment = 1; moment <= 6; ++moment) {
        kv::PollTick(c);
        kv::PollTick(c);
        polls += socket.TakeWritten() == Bytes{0xF5} ? 1 : 0;
        // The server's own polls do not count as answers.
        Answer(0xF5);
        socket.TakeWritten();
    }
    EXPECT_EQ(polls, 6);
    EXPECT_EQ(v.SocketConnected, kv::kTrue);

    kv::PollTick(c);
    kv::PollTick(c);  // the seventh poll moment
    EXPECT_TRUE(socket.Written.empty());
    EXPECT_EQ(v.SocketConnected, kv::kFalse);
    EXPECT_EQ(v.Connected, kv::kFalse);
    EXPECT_EQ(v.UnansweredPolls, 0);
    EXPECT_EQ(w.Caption, "ZEB Intercom Keyvane - Not Connected");

    kv::PollTick(c);  // closed: the next tick reconnects
    EXPECT_EQ(socket.ConnectCalls, 1);
}

TEST_F(PollTimerTest, AnswersKeepTheLinkUp) {
    v.TimeOut = 2;
    v.RefreshRate = 1;
    for (int moment = 0; moment < 10; ++moment) {
        kv::PollTick(c);
        kv::PollTick(c);
        Answer(moment % 2 == 0 ? 0xF4 : 0xF1);
    }
    EXPECT_EQ(v.SocketConnected, kv::kTrue);
    EXPECT_EQ(socket.ConnectCalls, 0);
}

TEST_F(PollTimerTest, EmptiesTheNoSystemBoxesOnceEveryTableArrived) {
    v.PendingInfoMask = 0x200;
    kv::PollTick(c);
    EXPECT_EQ(w.InputWindowText, "NoSystem");
    v.PendingInfoMask = 0;
    kv::PollTick(c);
    EXPECT_EQ(w.InputWindowText, "");
    EXPECT_EQ(w.PresetWindowText, "");

    w.InputWindowText = "Studio A";
    w.PresetWindowText = "Out 0003";
    kv::PollTick(c);
    EXPECT_EQ(w.InputWindowText, "Studio A");
    EXPECT_EQ(w.PresetWindowText, "Out 0003");
}

TEST_F(PollTimerTest, FlashesCallingTalkButtonsOnEveryTick) {
    v.CrosspointMap[0].Count = 0;
    v.AssignedOutput = 0;
    auto& talk = v.ButtonTable[3];
    talk.Type = kv::kTalk;
    talk.First = 5;
    talk.CallFlash = kv::kTrue;
    kv::PollTick(c);  // TickCount 1: odd, the caller is gone, so the overhang starts
    EXPECT_EQ(talk.OverhangCount, v.OverHang);
    kv::PollTick(c);
    EXPECT_EQ(talk.OverhangCount, v.OverHang - 1);
    EXPECT_EQ(v.ButtonTable[2].OverhangCount, 0);
}

TEST_F(PollTimerTest, WaitsForAnAttemptUnderWayThenAbandonsItAfterTheTimeOut) {
    v.SocketConnected = kv::kFalse;
    v.TimeOut = 5;
    v.TickInterval = 500;
    kv::PollTick(c);
    EXPECT_EQ(socket.ConnectCalls, 1);
    for (int tick = 1; tick < 10; ++tick) {  // 4.5 s: still waiting
        kv::PollTick(c);
    }
    EXPECT_EQ(socket.ConnectCalls, 1);
    EXPECT_EQ(socket.CloseCalls, 0);
    kv::PollTick(c);  // 5 s
    EXPECT_EQ(socket.CloseCalls, 1);
    EXPECT_EQ(socket.ConnectCalls, 2);

    // A failed attempt (the close event) lets the next tick try again at once.
    kv::OnSocketClose(c);
    kv::PollTick(c);
    EXPECT_EQ(socket.ConnectCalls, 3);

    // An attempt that cannot start is retried on every tick.
    socket.ConnectResult = 1;
    kv::ConnectToServer(c);
    kv::PollTick(c);
    kv::PollTick(c);
    EXPECT_EQ(socket.ConnectCalls, 6);

    // So is one whose close is reported inside the connect call (an unreachable network).
    socket.ConnectResult = 0;
    socket.CloseInConnect = true;
    socket.Events.Close = [this] { kv::OnSocketClose(c); };
    kv::PollTick(c);
    kv::PollTick(c);
    EXPECT_EQ(socket.ConnectCalls, 8);
}

}  // namespace
