#include <gtest/gtest.h>

#include "panel/call_answer.h"
#include "panel/panel_buttons.h"
#include "panel/station_choice.h"
#include "panel_fakes.h"

using namespace kv;

TEST(CallAnswer, AnswerAndDialUpTalkToTheirStationUntilReleased) {
    struct Row {
        const char* name;
        void (*down)(PanelContext&);
        void (*up)(PanelContext&);
        Colour MainWindowView::*face;
    };
    const Row rows[] = {{"Call Answer", AnswerDown, AnswerUp, &MainWindowView::AnswerColour},
                        {"Dial Up", TakeDown, TakeUp, &MainWindowView::TakeColour}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Panel p;
        p.Link(true);
        p.v.AssignedInput = 4;
        p.v.AssignedInputIndex = 77;  // these use the station number, not the index
        p.v.LastCaller = 9;           // the caller, and the station of the chosen row
        p.v.DialIndex = 2;
        p.v.OutputNumbers[2] = 9;
        p.Program(0, kTalk, 9);  // that station's key: its flash ends
        p.Program(1, kTalk, 2);  // the key of the station numbered like the row
        p.v.ButtonTable[0].CallFlash = p.v.ButtonTable[1].CallFlash = kTrue;
        r.down(p.ctx);
        EXPECT_EQ(p.w.*r.face, kTalkColour);
        EXPECT_EQ(p.v.ButtonTable[0].CallFlash, kFalse);
        EXPECT_EQ(p.v.ButtonTable[1].CallFlash, kTrue);

        p.v.LastCaller = 40;  // another caller, a new station list meanwhile
        p.v.DialIndex = 0;
        r.up(p.ctx);
        EXPECT_EQ(p.w.*r.face, kOffColour);
        EXPECT_EQ(p.Sent(), (std::vector<Request>{{4, 9, 37}, {4, 9, 33}}));
    }
}

TEST(CallAnswer, NothingIsSentWhileTheLinkIsDownOrForARowBeyondTheList) {
    Panel p;
    AnswerDown(p.ctx);
    TakeDown(p.ctx);
    p.Link(true);
    AnswerUp(p.ctx);  // their presses sent nothing, so neither do the releases
    TakeUp(p.ctx);
    EXPECT_TRUE(p.socket.Written.empty());

    p.v.DialIndex = 5000;
    TakeDown(p.ctx);
    TakeUp(p.ctx);
    EXPECT_TRUE(p.socket.Written.empty());
    EXPECT_NE(p.Log().find("Error Processing Take Button"), std::string::npos);

    p.v.AssignedInput = 1;
    ASSERT_EQ(p.v.LastCaller, kNoStation);  // no caller: answers no station
    AnswerDown(p.ctx);
    AnswerUp(p.ctx);
    EXPECT_EQ(p.Sent(), (std::vector<Request>{{1, kNoStation, 37}, {1, kNoStation, 33}}));
}

TEST(HeldKeys, ReleasedAfterTheLinkWentDownKeepTheirBreaksInOrder) {
    Panel p;
    p.Link(true);
    p.v.AssignedInput = 2;
    p.v.AssignedInputIndex = 5;
    p.v.LastCaller = 6;
    p.Program(0, kTalk, 7);
    p.Program(1, kGroup, 0, {3, 4});
    AnswerDown(p.ctx);
    TakeDown(p.ctx);
    ButtonPress(p.ctx, p.rec, 0, kLeftButton);
    ButtonPress(p.ctx, p.rec, 1, kLeftButton);
    p.Link(false);
    p.socket.Connected = true;  // the socket would still take bytes: the flag decides
    TakeUp(p.ctx);
    AnswerUp(p.ctx);
    AnswerUp(p.ctx);  // nothing more is held
    for (int16_t key : {0, 1}) {
        ButtonRelease(p.ctx, key, kLeftButton);
        EXPECT_EQ(p.w.Buttons[key].BackColour, kOffColour);
    }
    std::vector<Request> kept;
    for (const KeptBreak& k : p.v.KeptBreaks) {
        kept.push_back({k.Input, k.Output, k.Command});
    }
    // Take broke OutputNumbers(0), Answer the caller; the keys use the input index.
    const std::vector<Request> expected{{2, 1, 33}, {2, 6, 33}, {5, 7, 33}, {5, 2, 33}, {5, 3, 33}};
    EXPECT_EQ(kept, expected);
    EXPECT_EQ(p.Sent().size(), 5u);  // only the makes went out
}

TEST(StationChoice, OpensOnlyWhileConnectedAndClosesOnAChoiceOrFocusLoss) {
    Panel p;
    const auto listShown = [&] { return p.w.StationVisible && !p.w.PresetWindowVisible; };
    const auto presetShown = [&] { return !p.w.StationVisible && p.w.PresetWindowVisible; };
    PresetWindowClick(p.ctx);
    EXPECT_TRUE(presetShown());
    p.Link(true);
    p.v.OutputNames[3] = "Studio B";
    PresetWindowClick(p.ctx);
    EXPECT_TRUE(listShown());
    StationClick(p.ctx, 3);
    EXPECT_TRUE(presetShown());
    EXPECT_EQ(p.v.DialIndex, 3);
    EXPECT_EQ(p.w.StationSelected, 3);
    EXPECT_EQ(p.w.PresetWindowText, "Studio B");
    PresetWindowClick(p.ctx);
    StationLostFocus(p.ctx);
    EXPECT_TRUE(presetShown());

    PresetWindowClick(p.ctx);
    StationClick(p.ctx, 100000);  // a row the list does not hold
    EXPECT_TRUE(presetShown());
    EXPECT_EQ(p.v.DialIndex, 3);
    EXPECT_EQ(p.w.PresetWindowText, "Studio B");
    EXPECT_NE(p.Log().find("Error Processing Station Click"), std::string::npos);
}
