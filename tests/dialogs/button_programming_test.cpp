#include "dialogs/button_programming.h"

#include <gtest/gtest.h>

#include "dialog_fakes.h"

namespace {

struct Programming : TestPanel {
    kv::ButtonProgrammingDialog d;
    void Load() { kv::LoadButtonProgramming(v, d); }
    void Pick(int row) { kv::ButtonRowPicked(v, d, row); }
};

TEST(ButtonProgramming, LoadShowsButtonZeroWithItsStationRow) {
    Programming t;
    t.ConnectWithTables();
    t.v.ButtonTable[0].Type = kv::kListen;
    t.v.ButtonTable[0].First = 0;  // input 0 is Studio, the last row
    t.Load();
    EXPECT_EQ(t.d.ButtonRows.size(), 8u);
    EXPECT_EQ(t.d.ButtonRows[7], "Button 8");
    EXPECT_EQ(t.d.ButtonSelected, 0);
    EXPECT_EQ(t.d.TypeSelected, kv::kListen);
    EXPECT_TRUE(t.d.InputVisible);
    EXPECT_FALSE(t.d.OutputVisible);
    EXPECT_EQ(t.d.InputSelected, 2);
    EXPECT_EQ(t.d.OutputRows[0], "Alpha   (ch 3)");
    EXPECT_EQ(t.v.FillGuard, kv::kFalse);

    // Not connected, the rows are numbered; in number order input 0 is the top row.
    Programming n;
    n.Load();
    EXPECT_EQ(n.d.OutputRows.size(), 256u);
    EXPECT_EQ(n.d.OutputRows[0], "Out 0001");
    EXPECT_EQ(n.d.OutputRows[1], "Out 0002");
    EXPECT_EQ(n.d.InputRows[0], "Inpt0001");
}

TEST(ButtonProgramming, ChangesToTwoButtonsAreStoredOnOkOnly) {
    for (bool ok : {true, false}) {
        Programming t;
        t.ConnectWithTables();
        const std::vector<kv::ButtonRecord> before = t.v.ButtonTable;
        t.Load();

        t.Pick(2);  // button 3 becomes Talk to Charlie (output 1)
        kv::TypeOptionClicked(t.v, t.d, kv::kTalk);
        EXPECT_TRUE(t.d.OutputVisible);
        kv::OutputRowPicked(t.v, t.d, 2);
        t.Pick(4);  // button 5 becomes Inactive
        kv::TypeOptionClicked(t.v, t.d, kv::kInactive);
        EXPECT_FALSE(t.d.InputVisible);
        EXPECT_FALSE(t.d.OutputVisible);
        t.Pick(2);
        EXPECT_EQ(t.d.TypeSelected, kv::kTalk);
        EXPECT_EQ(t.d.OutputSelected, 2);

        // Meanwhile the poll ticks change a button's indication.
        t.v.ButtonTable[2].State = 10;
        t.v.ButtonTable[2].CallFlash = kv::kTrue;

        if (ok) {
            kv::ButtonProgrammingOk(t.v, t.d);
            EXPECT_EQ(t.v.ButtonTable[2].Type, kv::kTalk);
            EXPECT_EQ(t.v.ButtonTable[2].First, 1);
            EXPECT_EQ(t.v.ButtonTable[4].Type, kv::kInactive);
            EXPECT_EQ(t.v.ButtonTable[4].First, before[4].First);
            EXPECT_EQ(t.v.ButtonTable[2].State, 10);
            EXPECT_EQ(t.v.ButtonTable[2].CallFlash, kv::kTrue);
        } else {
            kv::ButtonProgrammingCancel(t.d);
            for (std::size_t i = 0; i < before.size(); ++i) {
                EXPECT_EQ(t.v.ButtonTable[i].Type, before[i].Type) << i;
                EXPECT_EQ(t.v.ButtonTable[i].First, before[i].First) << i;
            }
        }
        EXPECT_FALSE(t.d.Open);
    }
}

TEST(ButtonProgramming, TypeChangeKeepsTheStationAndDisabledTypesCannotBeChosenBack) {
    Programming t;
    t.ConnectWithTables();
    t.v.ButtonTable[1].Type = kv::kSalvo;
    t.v.ButtonTable[1].First = 2;
    t.Load();
    t.Pick(1);
    EXPECT_EQ(t.d.TypeSelected, kv::kSalvo);
    EXPECT_FALSE(t.d.InputVisible);
    EXPECT_FALSE(t.d.OutputVisible);

    kv::TypeOptionClicked(t.v, t.d, kv::kListen);  // keeps First 2: Mic A, row 1
    EXPECT_EQ(t.d.TypeSelected, kv::kListen);
    EXPECT_EQ(t.d.InputSelected, 1);
    kv::TypeOptionClicked(t.v, t.d, kv::kSalvo);
    kv::TypeOptionClicked(t.v, t.d, kv::kGroup);
    kv::TypeOptionClicked(t.v, t.d, 7);
    EXPECT_EQ(t.d.Work[1].Type, kv::kListen);
    kv::TypeOptionClicked(t.v, t.d, kv::kTalk);  // output 2 is Alpha, row 0
    EXPECT_EQ(t.d.OutputSelected, 0);
    EXPECT_EQ(t.d.Work[1].First, 2);

    // While the fill guard is raised the option and list handlers do nothing.
    t.v.FillGuard = kv::kTrue;
    kv::TypeOptionClicked(t.v, t.d, kv::kInactive);
    kv::OutputRowPicked(t.v, t.d, 1);
    EXPECT_EQ(t.d.Work[1].Type, kv::kTalk);
    EXPECT_EQ(t.d.Work[1].First, 2);
    t.v.FillGuard = kv::kFalse;
}

TEST(ButtonProgramming, StationsAndTypesWithoutARowOrOptionAreKeptAndNeverFail) {
    Programming t;
    t.ConnectWithTables();
    t.v.ButtonTable[0].Type = kv::kTalk;
    t.v.ButtonTable[0].First = kv::kNoStation;
    t.v.ButtonTable[1].Type = kv::kListen;
    t.v.ButtonTable[1].First = 3;  // beyond the three inputs
    t.v.ButtonTable[2].Type = 7;   // no option
    t.v.ButtonTable[2].First = 1;
    t.Load();
    EXPECT_TRUE(t.d.OutputVisible);
    EXPECT_EQ(t.d.OutputSelected, -1);
    t.Pick(1);
    EXPECT_EQ(t.d.InputSelected, -1);
    t.Pick(2);
    EXPECT_EQ(t.d.TypeSelected, -1);
    EXPECT_FALSE(t.d.InputVisible);
    EXPECT_FALSE(t.d.OutputVisible);
    kv::InputRowPicked(t.v, t.d, 9);  // no such row
    kv::ButtonProgrammingOk(t.v, t.d);
    EXPECT_EQ(t.v.ButtonTable[0].First, kv::kNoStation);
    EXPECT_EQ(t.v.ButtonTable[1].First, 3);
    EXPECT_EQ(t.v.ButtonTable[2].Type, 7);
    EXPECT_EQ(t.v.ButtonTable[2].First, 1);

    // Output tables the server left empty: the list shows what the tables hold.
    Programming e;
    e.ConnectWithTables();
    e.v.OutputNames.clear();
    e.Load();
    EXPECT_TRUE(e.d.OutputRows.empty());
    EXPECT_EQ(e.d.InputRows.size(), 3u);
    EXPECT_FALSE(e.dir.Exists("Errorlog.txt"));

    // No buttons: nothing to show, Ok is of no use.
    Programming none;
    none.v.ButtonCount = 0;
    none.Load();
    EXPECT_TRUE(none.d.ButtonRows.empty());
    EXPECT_FALSE(none.d.OkEnabled);
    EXPECT_EQ(none.d.TypeSelected, -1);
    kv::TypeOptionClicked(none.v, none.d, kv::kListen);
    none.Pick(0);
    EXPECT_EQ(none.d.TypeSelected, -1);
}

}  // namespace
