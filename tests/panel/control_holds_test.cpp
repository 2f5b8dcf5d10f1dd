#include <gtest/gtest.h>

#include "panel/control_holds.h"
#include "panel/main_window_logic.h"
#include "panel/panel_buttons.h"
#include "panel/panel_snapshot.h"
#include "panel_fakes.h"

using namespace kv;

namespace {

struct HeldPanel : Panel {
    HeldPanel() {
        Link(true);
        v.AssignedInput = 2;
        v.AssignedInputIndex = 5;
        v.AssignedOutputIndex = 6;
        v.LastCaller = 9;
        Program(0, kTalk, 7);
        Program(1, kListen, 3);
    }
};

}  // namespace

TEST(ControlHolds, TwoInputsOnOneControlMakeOnceAndBreakWithTheLastRelease) {
    struct Row {
        int control;
        std::vector<Request> make, both;
    };
    const Row rows[] = {{0, {{5, 7, 37}}, {{5, 7, 37}, {5, 7, 33}}},
                        {kAnswerControl, {{2, 9, 37}}, {{2, 9, 37}, {2, 9, 33}}}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.control);
        HeldPanel p;
        EXPECT_TRUE(PressControl(p.ctx, p.rec, r.control, kMouseHolder));
        EXPECT_FALSE(PressControl(p.ctx, p.rec, r.control, kMouseHolder));  // a repeat
        EXPECT_FALSE(PressControl(p.ctx, p.rec, r.control, kHotkeyHolder));
        EXPECT_FALSE(ReleaseControl(p.ctx, r.control, kMouseHolder));
        EXPECT_TRUE(IsHeld(p.w, r.control));
        EXPECT_EQ(p.Sent(), r.make);
        EXPECT_FALSE(ReleaseControl(p.ctx, r.control, kKeyboardHolder));  // never pressed it
        EXPECT_TRUE(ReleaseControl(p.ctx, r.control, kHotkeyHolder));
        EXPECT_FALSE(IsHeld(p.w, r.control));
        EXPECT_EQ(p.Sent(), r.both);
    }
}

TEST(ControlHolds, ALostHolderAndAClosingPanelLetGoOfWhatTheyHold) {
    HeldPanel p;
    PressControl(p.ctx, p.rec, 0, kFirstRemoteHolder);
    PressControl(p.ctx, p.rec, kAnswerControl, kFirstRemoteHolder);
    PressControl(p.ctx, p.rec, kDialControl, kHotkeyHolder);
    ReleaseHolder(p.ctx, kFirstRemoteHolder);
    EXPECT_FALSE(IsHeld(p.w, 0));
    EXPECT_FALSE(IsHeld(p.w, kAnswerControl));
    EXPECT_TRUE(IsHeld(p.w, kDialControl));

    PressControl(p.ctx, p.rec, 0, kMouseHolder);
    Unload_Program(p.s, p.rec);
    EXPECT_FALSE(IsHeld(p.w, 0));
    EXPECT_FALSE(IsHeld(p.w, kDialControl));
    const std::vector<Request> sent = p.Sent();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[sent.size() - 2].code, 33);
    EXPECT_EQ(sent.back().code, 33);
    EXPECT_FALSE(PressControl(p.ctx, p.rec, kPanelControls, kMouseHolder));
    EXPECT_FALSE(PressControl(p.ctx, p.rec, -1, kMouseHolder));
}

TEST(PanelSnapshot, ReadsKeysCallerAndDialAsTheWindowShowsThem) {
    HeldPanel p;
    p.w.Buttons[0].Caption = "STUDIO A\rTalk";
    p.w.Buttons[2].Enabled = false;
    p.v.ButtonTable[0].CallFlash = kTrue;
    p.w.InputWindowText = "STUDIO A";
    p.v.DialIndex = 1;
    p.v.OutputNumbers[1] = 12;
    p.w.PresetWindowText = "FLOOR";
    PressControl(p.ctx, p.rec, 1, kMouseHolder);  // a listen key latches
    PressControl(p.ctx, p.rec, 0, kKeyboardHolder);

    const PanelSnapshot s = TakeSnapshot(p.v, p.w);
    EXPECT_TRUE(s.Connected);
    EXPECT_EQ(s.Caller, (StationMention{9, "STUDIO A"}));
    EXPECT_EQ(s.Dial, (StationMention{12, "FLOOR"}));
    const KeySnapshot& talk = s.Keys[0];
    EXPECT_EQ(talk.Line1 + "|" + talk.Line2 + "|" + talk.Type, "STUDIO A|Talk|talk");
    EXPECT_EQ(talk.Station, 7);
    EXPECT_TRUE(talk.Lit && talk.Held);
    EXPECT_FALSE(talk.Flashing);  // the press answered the call
    EXPECT_TRUE(s.Keys[1].Lit && s.Keys[1].Held);
    EXPECT_EQ(s.Keys[1].Type, "listen");
    EXPECT_FALSE(s.Keys[2].Enabled);

    p.Link(false);
    p.v.LastCaller = kNoStation;
    const PanelSnapshot down = TakeSnapshot(p.v, p.w);
    EXPECT_FALSE(down.Caller || down.Dial);
    EXPECT_EQ(ButtonTypeName(200), std::string("unknown"));
}
