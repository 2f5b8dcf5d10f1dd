#include <gtest/gtest.h>

#include "panel/call_answer.h"
#include "panel/station_choice.h"
#include "panel_fakes.h"

using namespace kv;

TEST(CallAnswer, TalksBackToTheLastCallerWhileHeld) {
    Panel p;
    p.Connect();
    p.v.AssignedInput = 4;
    p.v.AssignedInputIndex = 77;  // Call Answer uses the station number
    p.v.LastCaller = 12;
    p.Program(0, kTalk, 12);  // the caller's key: its flash ends
    p.Program(1, kTalk, 13);
    for (int i : {0, 1}) {
        p.v.ButtonTable[i].CallFlash = kTrue;
        p.w.Buttons[i].BackColour = kTalkColour;
    }

    AnswerDown(p.ctx);
    EXPECT_EQ(p.w.AnswerColour, kTalkColour);
    EXPECT_EQ(p.v.ButtonTable[0].CallFlash, kFalse);
    EXPECT_EQ(p.w.Buttons[0].BackColour, kOffColour);
    EXPECT_EQ(p.v.ButtonTable[1].CallFlash, kTrue);

    p.v.LastCaller = 40;  // another caller arrives while the operator answers
    AnswerUp(p.ctx);
    EXPECT_EQ(p.w.AnswerColour, kOffColour);
    const std::vector<Request> expected{{4, 12, 37}, {4, 12, 33}};
    EXPECT_EQ(p.socket.Requests(), expected);
}

TEST(CallAnswer, WithoutACallerStillSendsForNoStationAndNothingWhileDisconnected) {
    Panel p;
    p.Connect();
    p.v.AssignedInput = 1;
    ASSERT_EQ(p.v.LastCaller, kNoStation);
    AnswerDown(p.ctx);
    AnswerUp(p.ctx);
    const std::vector<Request> expected{{1, kNoStation, 37}, {1, kNoStation, 33}};
    EXPECT_EQ(p.socket.Requests(), expected);

    p.Disconnect();
    p.socket.written.clear();
    AnswerDown(p.ctx);
    EXPECT_EQ(p.w.AnswerColour, kOffColour);
    p.Connect();
    AnswerUp(p.ctx);  // its press sent nothing, so neither does the release
    TakeDown(p.ctx);
    p.Disconnect();
    p.socket.open = true;  // the socket would still take bytes: the flag decides
    TakeUp(p.ctx);
    EXPECT_EQ(p.socket.Requests().size(), 1u);
    EXPECT_EQ(p.socket.Requests()[0].code, 37);
}

TEST(CallAnswer, DialUpTalksToTheChosenStationNumber) {
    Panel p;
    p.Connect();
    p.v.AssignedInput = 3;
    p.v.DialIndex = 2;
    p.v.OutputNumbers[2] = 9;
    p.Program(0, kTalk, 9);  // the chosen station's key: its flash ends
    p.Program(1, kTalk, 2);  // the key of the station numbered like the list row
    p.v.ButtonTable[0].CallFlash = kTrue;
    p.v.ButtonTable[1].CallFlash = kTrue;

    TakeDown(p.ctx);
    EXPECT_EQ(p.w.TakeColour, kTalkColour);
    EXPECT_EQ(p.v.ButtonTable[0].CallFlash, kFalse);
    EXPECT_EQ(p.v.ButtonTable[1].CallFlash, kTrue);
    p.v.DialIndex = 0;  // a new station list arrived meanwhile
    TakeUp(p.ctx);
    EXPECT_EQ(p.w.TakeColour, kOffColour);
    const std::vector<Request> expected{{3, 9, 37}, {3, 9, 33}};
    EXPECT_EQ(p.socket.Requests(), expected);

    p.v.DialIndex = 5000;  // beyond the list: logged, nothing sent, not lit
    TakeDown(p.ctx);
    TakeUp(p.ctx);
    EXPECT_EQ(p.socket.Requests().size(), 2u);
    EXPECT_EQ(p.w.TakeColour, kOffColour);
    EXPECT_NE(p.Log().find("Error Processing Take Button"), std::string::npos);
}

TEST(CallAnswer, ReleasesAfterTheLinkWentDownKeepTheirBreaksInOrder) {
    Panel p;
    p.Connect();
    p.v.AssignedInput = 2;
    p.v.LastCaller = 6;
    p.v.DialIndex = 0;
    AnswerDown(p.ctx);
    TakeDown(p.ctx);
    p.Disconnect();
    TakeUp(p.ctx);
    AnswerUp(p.ctx);
    EXPECT_EQ(p.w.AnswerColour, kOffColour);
    EXPECT_EQ(p.w.TakeColour, kOffColour);
    ASSERT_EQ(p.v.KeptBreaks.size(), 2u);
    EXPECT_EQ(p.v.KeptBreaks[0].Output, 1);  // OutputNumbers(0)
    EXPECT_EQ(p.v.KeptBreaks[1].Output, 6);
    for (const KeptBreak& k : p.v.KeptBreaks) {
        EXPECT_EQ(k.Input, 2);
        EXPECT_EQ(k.Command, 33);
    }
    AnswerUp(p.ctx);  // nothing more is held
    EXPECT_EQ(p.v.KeptBreaks.size(), 2u);
}

TEST(StationChoice, OpensOnlyWhileConnectedAndClosesOnAChoiceOrFocusLoss) {
    Panel p;
    PresetWindowClick(p.ctx);
    EXPECT_FALSE(p.w.StationVisible);
    EXPECT_TRUE(p.w.PresetWindowVisible);

    p.Connect();
    p.v.OutputNames[3] = "Studio B";
    PresetWindowClick(p.ctx);
    EXPECT_TRUE(p.w.StationVisible);
    EXPECT_FALSE(p.w.PresetWindowVisible);
    StationClick(p.ctx, 3);
    EXPECT_EQ(p.v.DialIndex, 3);
    EXPECT_EQ(p.w.PresetWindowText, "Studio B");
    EXPECT_FALSE(p.w.StationVisible);
    EXPECT_TRUE(p.w.PresetWindowVisible);

    PresetWindowClick(p.ctx);
    StationLostFocus(p.ctx);
    EXPECT_EQ(p.v.DialIndex, 3);
    EXPECT_FALSE(p.w.StationVisible);
    EXPECT_TRUE(p.w.PresetWindowVisible);

    PresetWindowClick(p.ctx);
    StationClick(p.ctx, 100000);  // a row the list does not hold
    EXPECT_EQ(p.v.DialIndex, 3);
    EXPECT_EQ(p.w.PresetWindowText, "Studio B");
    EXPECT_FALSE(p.w.StationVisible);
    EXPECT_NE(p.Log().find("Error Processing Station Click"), std::string::npos);
}
