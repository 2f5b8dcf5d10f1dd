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

// The remote control's JSON tests read the rest of the snapshot.
TEST(PanelSnapshot, AKeyFlashesWhileItsStationCallsAndNoStationIsNamedWithoutTables) {
    HeldPanel p;
    p.v.ButtonTable[0].CallFlash = kTrue;
    p.w.InputWindowText = "STUDIO A   ";
    p.v.DialIndex = -1;  // no row chosen
    p.v.ButtonTable.resize(3);
    const PanelSnapshot s = TakeSnapshot(p.v, p.w);
    EXPECT_TRUE(s.Keys[0].Flashing);
    EXPECT_EQ(s.Caller, (StationMention{9, "STUDIO A"}));
    EXPECT_FALSE(s.Dial);
    p.v.DialIndex = static_cast<int16_t>(p.v.OutputNumbers.size());  // one past the table
    EXPECT_FALSE(TakeSnapshot(p.v, p.w).Dial);
    EXPECT_EQ(s.Keys[5].Type, "inactive");  // beyond the table
    p.v.ButtonTable[1].Type = 200;
    EXPECT_EQ(TakeSnapshot(p.v, p.w).Keys[1].Type, "unknown");
}
