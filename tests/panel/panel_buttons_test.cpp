#include <gtest/gtest.h>

#include "panel/panel_buttons.h"
#include "panel_fakes.h"

using namespace kv;

namespace {

void Click(Panel& p, int16_t index, int16_t mouse = kLeftButton) {
    ButtonPress(p.ctx, p.rec, index, mouse);
    ButtonRelease(p.ctx, index, mouse);
}

}  // namespace

TEST(PanelButtons, LatchingKeysToggleOnPressOnlyAndCountFlashStatesAsOff) {
    struct Row {
        uint8_t type, state, newState;
        int16_t mouse, code;
        Colour colour;
    };
    const Row rows[] = {
        {kListen, 0, 1, kLeftButton, 36, kListenColour},
        {kListen, 1, 0, kLeftButton, 32, kOffColour},
        {kListen, 9, 0, kMiddleButton, 32, kOffColour},  // any lit state below the flash ones
        {kListen, 10, 1, kLeftButton, 36, kListenColour},
        {kPListen, 0, 1, kLeftButton, 37, kPListenColour},
        {kPListen, 1, 0, kLeftButton, 33, kOffColour},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << int(r.type) << " from state " << int(r.state));
        Panel p;
        p.Link(true);
        p.v.AssignedOutputIndex = 6;
        p.Program(3, r.type, 4);
        p.v.ButtonTable[3].State = r.state;
        Click(p, 3, r.mouse);
        EXPECT_EQ(p.v.ButtonTable[3].State, r.newState);
        EXPECT_EQ(p.w.Buttons[3].BackColour, r.colour);
        EXPECT_EQ(p.Sent(), (std::vector<Request>{{4, 6, r.code}}));
    }
}

TEST(PanelButtons, TalkAndGroupMakeOnPressAndBreakOnRelease) {
    Panel p;
    p.Link(true);
    p.v.AssignedInputIndex = 3;
    p.v.AssignedInput = 99;  // the keys use the input index, not the station number
    p.Program(2, kTalk, 11);
    p.v.ButtonTable[2].CallFlash = kTrue;
    p.v.ButtonTable[2].State = 10;
    p.Program(5, kGroup, 0, {5, 8, 1});  // listed outputs count from 1

    ButtonPress(p.ctx, p.rec, 2, kLeftButton);
    EXPECT_EQ(p.v.ButtonTable[2].State, 1);
    EXPECT_EQ(p.v.ButtonTable[2].CallFlash, kFalse);
    EXPECT_EQ(p.w.Buttons[2].BackColour, kTalkColour);
    ButtonPress(p.ctx, p.rec, 5, kLeftButton);
    EXPECT_EQ(p.w.Buttons[5].BackColour, kGroupColour);
    for (int16_t key : {2, 5, 2}) {  // a second release has no make to break
        ButtonRelease(p.ctx, key, kLeftButton);
        EXPECT_EQ(p.v.ButtonTable[key].State, 0);
        EXPECT_EQ(p.w.Buttons[key].BackColour, kOffColour);
    }
    const std::vector<Request> expected{{3, 11, 37}, {3, 4, 37}, {3, 7, 37}, {3, 0, 37},
                                        {3, 11, 33}, {3, 4, 33}, {3, 7, 33}, {3, 0, 33}};
    EXPECT_EQ(p.Sent(), expected);

    p.v.ButtonTable[5].ListCount = 0;  // an empty group still lights while held
    ButtonPress(p.ctx, p.rec, 5, kLeftButton);
    EXPECT_EQ(p.v.ButtonTable[5].State, 1);
    EXPECT_EQ(p.w.Buttons[5].BackColour, kGroupColour);
    EXPECT_EQ(p.Sent().size(), expected.size());
}

TEST(PanelButtons, OtherTypesADownLinkAndKeysBeyondTheTableDoNothing) {
    Panel p;
    p.Link(true);
    const uint8_t others[] = {kSalvo, kOptoTgl, kOptoPls, kRelayTgl, kRelayPls, kInactive};
    for (int16_t i = 0; i < 6; ++i) {
        p.Program(i, others[i], 3);
        Click(p, i);
        EXPECT_EQ(p.v.ButtonTable[i].State, 0) << int(others[i]);
    }
    p.Link(false);
    p.Program(0, kListen, 2);
    p.Program(1, kTalk, 2);
    Click(p, 0);
    ButtonPress(p.ctx, p.rec, 1, kLeftButton);
    EXPECT_EQ(p.v.ButtonTable[0].State, 0);
    EXPECT_EQ(p.v.ButtonTable[1].State, 0);
    p.v.ButtonTable.resize(4);  // "Button Count=3": a key beyond it has no record
    Click(p, 4);
    EXPECT_TRUE(p.socket.Written.empty());
    EXPECT_TRUE(p.v.KeptBreaks.empty());
    EXPECT_FALSE(p.dir.Exists("Errorlog.txt"));
}

TEST(PanelButtons, RightPressOpensTheCaptionEditorOutsideKeepOnTopUnlessATalkIsHeld) {
    Panel p;
    p.v.StayOnTop = -1;
    p.Program(5, kTalk, 2);
    Click(p, 5, kRightButton);  // not connected: still opens
    EXPECT_EQ(p.rec.log,
              (std::vector<std::string>{"order -2", "panel shown", "label '5'", "order -1"}));

    p.Link(true);
    ButtonPress(p.ctx, p.rec, 5, kLeftButton);
    ButtonPress(p.ctx, p.rec, 5, kRightButton);  // held Talk: no editor
    EXPECT_EQ(p.rec.log.size(), 4u);
    p.Program(4, kListen, 2);
    p.v.ButtonTable[4].State = 1;
    Click(p, 4, kRightButton);  // lit Listen: editor opens, nothing is sent
    EXPECT_EQ(p.rec.log.size(), 8u);
    EXPECT_EQ(p.Sent().size(), 1u);
}

TEST(PanelButtons, FaultsAreLoggedUnderTheirOperationAndStopIt) {
    Panel p;
    p.Link(true);
    p.Program(2, kGroup, 0, {3});
    p.v.ButtonTable[2].ListCount = 2;  // one listed output more than the list holds
    ButtonPress(p.ctx, p.rec, 2, kLeftButton);
    EXPECT_EQ(p.Sent().size(), 1u);  // the first output was sent
    EXPECT_EQ(p.v.ButtonTable[2].State, 0);
    EXPECT_NE(p.Log().find("Error Processing Button Press"), std::string::npos);

    p.v.ButtonTable[2].State = 1;
    ButtonRelease(p.ctx, 2, kLeftButton);
    EXPECT_NE(p.Log().find("Error Processing Button Release"), std::string::npos);
    EXPECT_NE(p.Log().find("Program Error"), std::string::npos);

    p.v.ButtonTable.resize(4);  // a key beyond the table, pressed while connected
    ButtonPress(p.ctx, p.rec, 6, kLeftButton);
    EXPECT_EQ(p.Sent().size(), 2u);  // the make, and the release's first break
}
