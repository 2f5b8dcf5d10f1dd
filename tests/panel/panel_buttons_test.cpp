#include <gtest/gtest.h>

#include "panel/panel_buttons.h"
#include "panel_fakes.h"

using namespace kv;

namespace {

void Click(Panel& p, int16_t index, int16_t mouse = kLeftButton) {
    ButtonPress(p.ctx, p.dialogs, index, mouse);
    ButtonRelease(p.ctx, index, mouse);
}

}  // namespace

TEST(PanelButtons, ListenAndPListenLatchOnPressAndIgnoreRelease) {
    Panel p;
    p.Connect();
    p.v.AssignedOutputIndex = 6;
    p.Program(0, kListen, 4);
    p.Program(1, kPListen, 9);

    Click(p, 0);
    EXPECT_EQ(p.v.ButtonTable[0].State, 1);
    EXPECT_EQ(p.w.Buttons[0].BackColour, kListenColour);
    Click(p, 0);
    EXPECT_EQ(p.v.ButtonTable[0].State, 0);
    EXPECT_EQ(p.w.Buttons[0].BackColour, kOffColour);

    Click(p, 1);
    EXPECT_EQ(p.w.Buttons[1].BackColour, kPListenColour);
    Click(p, 1);
    EXPECT_EQ(p.w.Buttons[1].BackColour, kOffColour);

    const std::vector<Request> expected{{4, 6, 36}, {4, 6, 32}, {9, 6, 37}, {9, 6, 33}};
    EXPECT_EQ(p.socket.Requests(), expected);
}

TEST(PanelButtons, ListenStatesTenAndAboveCountAsOffOneToNineAsOn) {
    Panel p;
    p.Connect();
    p.Program(0, kListen, 2);
    for (uint8_t state : {uint8_t{10}, uint8_t{200}}) {
        p.v.ButtonTable[0].State = state;
        ButtonPress(p.ctx, p.dialogs, 0, kLeftButton);
        EXPECT_EQ(p.v.ButtonTable[0].State, 1) << int(state);
        EXPECT_EQ(p.socket.Requests().back().code, 36);
    }
    p.v.ButtonTable[0].State = 9;
    ButtonPress(p.ctx, p.dialogs, 0, kMiddleButton);
    EXPECT_EQ(p.v.ButtonTable[0].State, 0);
    EXPECT_EQ(p.socket.Requests().back().code, 32);
}

TEST(PanelButtons, TalkMakesOnPressBreaksOnReleaseAndEndsTheCallFlash) {
    Panel p;
    p.Connect();
    p.v.AssignedInputIndex = 3;
    p.v.AssignedInput = 99;  // Talk uses the input index, not the station number
    p.Program(2, kTalk, 11);
    p.v.ButtonTable[2].CallFlash = kTrue;
    p.v.ButtonTable[2].State = 10;

    ButtonPress(p.ctx, p.dialogs, 2, kLeftButton);
    EXPECT_EQ(p.v.ButtonTable[2].State, 1);
    EXPECT_EQ(p.v.ButtonTable[2].CallFlash, kFalse);
    EXPECT_EQ(p.w.Buttons[2].BackColour, kTalkColour);
    ButtonRelease(p.ctx, 2, kLeftButton);
    EXPECT_EQ(p.v.ButtonTable[2].State, 0);
    EXPECT_EQ(p.w.Buttons[2].BackColour, kOffColour);

    const std::vector<Request> expected{{3, 11, 37}, {3, 11, 33}};
    EXPECT_EQ(p.socket.Requests(), expected);
    ButtonRelease(p.ctx, 2, kLeftButton);  // a second release has no make to break
    EXPECT_EQ(p.socket.Requests().size(), 2u);
}

TEST(PanelButtons, GroupActsOnEveryListedOutputAndLightsEvenWhenEmpty) {
    Panel p;
    p.Connect();
    p.v.AssignedInputIndex = 1;
    ButtonRecord& g = p.v.ButtonTable[3];
    g.Type = kGroup;
    g.List = {5, 8, 1};
    g.ListCount = 3;
    ButtonPress(p.ctx, p.dialogs, 3, kLeftButton);
    EXPECT_EQ(p.w.Buttons[3].BackColour, kGroupColour);
    ButtonRelease(p.ctx, 3, kLeftButton);
    const std::vector<Request> expected{{1, 4, 37}, {1, 7, 37}, {1, 0, 37},
                                        {1, 4, 33}, {1, 7, 33}, {1, 0, 33}};
    EXPECT_EQ(p.socket.Requests(), expected);

    g.ListCount = 0;
    ButtonPress(p.ctx, p.dialogs, 3, kLeftButton);
    EXPECT_EQ(g.State, 1);
    EXPECT_EQ(p.w.Buttons[3].BackColour, kGroupColour);
    ButtonRelease(p.ctx, 3, kLeftButton);
    EXPECT_EQ(g.State, 0);
    EXPECT_EQ(p.w.Buttons[3].BackColour, kOffColour);
    EXPECT_EQ(p.socket.Requests().size(), 6u);
}

TEST(PanelButtons, OtherTypesAndADisconnectedPanelDoNothing) {
    Panel p;
    p.Connect();
    int i = 0;
    for (uint8_t type : {kSalvo, kOptoTgl, kOptoPls, kRelayTgl, kRelayPls, kInactive}) {
        p.Program(i % 8, type, 3);
        Click(p, static_cast<int16_t>(i % 8));
        EXPECT_EQ(p.v.ButtonTable[i % 8].State, 0) << int(type);
        ++i;
    }
    EXPECT_TRUE(p.socket.written.empty());

    p.Disconnect();
    p.Program(0, kListen, 2);
    p.Program(1, kTalk, 2);
    Click(p, 0);
    Click(p, 1);
    EXPECT_EQ(p.v.ButtonTable[0].State, 0);
    EXPECT_EQ(p.v.ButtonTable[1].State, 0);
    EXPECT_EQ(p.w.Buttons[0].BackColour, kOffColour);
    p.v.ButtonTable.resize(4);  // "Button Count=3": a key beyond it has no record
    Click(p, 6);
    EXPECT_TRUE(p.socket.written.empty());
    EXPECT_TRUE(p.v.KeptBreaks.empty());
    EXPECT_FALSE(p.dir.Exists("Errorlog.txt"));
}

TEST(PanelButtons, RightPressOpensTheCaptionEditorOutsideKeepOnTop) {
    Panel p;
    p.v.StayOnTop = -1;
    p.Program(5, kTalk, 2);
    ButtonPress(p.ctx, p.dialogs, 5, kRightButton);  // not connected: still opens
    ButtonRelease(p.ctx, 5, kRightButton);
    ASSERT_EQ(p.dialogs.log.size(), 1u);
    EXPECT_EQ(p.dialogs.log[0], "label '5' at -2");
    EXPECT_EQ(p.dialogs.ordersApplied, (std::vector<int32_t>{-2, -1}));

    p.Connect();
    ButtonPress(p.ctx, p.dialogs, 5, kLeftButton);
    ButtonPress(p.ctx, p.dialogs, 5, kRightButton);  // held Talk: no editor
    EXPECT_EQ(p.dialogs.log.size(), 1u);
    p.Program(4, kListen, 2);
    p.v.ButtonTable[4].State = 1;
    ButtonPress(p.ctx, p.dialogs, 4, kRightButton);  // lit Listen: editor opens
    EXPECT_EQ(p.dialogs.log.size(), 2u);
    EXPECT_EQ(p.socket.Requests().size(), 1u);  // right presses send nothing
}

TEST(PanelButtons, TalkOrGroupReleasedAfterTheLinkWentDownKeepsItsBreaks) {
    Panel p;
    p.Connect();
    p.v.AssignedInputIndex = 2;
    p.Program(0, kTalk, 7);
    ButtonRecord& g = p.v.ButtonTable[1];
    g.Type = kGroup;
    g.List = {3, 4};
    g.ListCount = 2;
    ButtonPress(p.ctx, p.dialogs, 0, kLeftButton);
    ButtonPress(p.ctx, p.dialogs, 1, kLeftButton);
    p.Disconnect();
    ButtonRelease(p.ctx, 0, kLeftButton);
    ButtonRelease(p.ctx, 1, kLeftButton);

    EXPECT_EQ(p.v.ButtonTable[0].State, 0);
    EXPECT_EQ(g.State, 0);
    EXPECT_EQ(p.w.Buttons[0].BackColour, kOffColour);
    EXPECT_EQ(p.w.Buttons[1].BackColour, kOffColour);
    ASSERT_EQ(p.v.KeptBreaks.size(), 3u);
    const std::vector<std::array<int, 3>> kept{{2, 7, 33}, {2, 2, 33}, {2, 3, 33}};
    for (std::size_t k = 0; k < kept.size(); ++k) {
        EXPECT_EQ(p.v.KeptBreaks[k].Input, kept[k][0]);
        EXPECT_EQ(p.v.KeptBreaks[k].Output, kept[k][1]);
        EXPECT_EQ(p.v.KeptBreaks[k].Command, kept[k][2]);
    }
    EXPECT_EQ(p.socket.Requests().size(), 3u);  // only the makes went out
}

TEST(PanelButtons, FaultsAreLoggedUnderTheirOperationAndStopIt) {
    Panel p;
    p.Connect();
    ButtonRecord& g = p.v.ButtonTable[2];
    g.Type = kGroup;
    g.List = {3};
    g.ListCount = 2;  // one listed output more than the list holds
    ButtonPress(p.ctx, p.dialogs, 2, kLeftButton);
    EXPECT_EQ(p.socket.Requests().size(), 1u);  // the first output was sent
    EXPECT_EQ(g.State, 0);                      // the rest was skipped
    EXPECT_NE(p.Log().find("Error Processing Button Press"), std::string::npos);

    g.State = 1;
    ButtonRelease(p.ctx, 2, kLeftButton);
    EXPECT_NE(p.Log().find("Error Processing Button Release"), std::string::npos);
    EXPECT_NE(p.Log().find("Program Error"), std::string::npos);

    p.v.ButtonTable.resize(4);  // "Button Count=3": buttons beyond it have no record
    ButtonPress(p.ctx, p.dialogs, 6, kLeftButton);
    EXPECT_EQ(p.socket.Requests().size(), 2u);
}
