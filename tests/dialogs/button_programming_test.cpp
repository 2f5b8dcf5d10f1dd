#include "dialogs/button_programming.h"

#include <gtest/gtest.h>

#include "dialog_fakes.h"

namespace {

struct Programming : TestPanel {
    kv::ButtonProgrammingDialog d;
    void Load() { kv::LoadButtonProgramming(v, d); }
    void Pick(int row) { kv::ButtonRowPicked(v, d, row); }
    auto Shown() const {
        return std::tuple(d.TypeSelected, d.InputVisible, d.OutputVisible, d.InputSelected,
                          d.OutputSelected);
    }
};

TEST(ButtonProgramming, LoadShowsButtonZeroWithItsStationRow) {
    Programming t;
    t.ConnectWithTables();
    t.v.ButtonTable[0].First = 0;  // a Listen to input 0, Studio: the last row
    t.Load();
    EXPECT_EQ(std::tuple(t.d.ButtonRows.size(), t.d.ButtonRows[7], t.d.ButtonSelected,
                         t.d.OutputRows[0], t.v.FillGuard),
              std::tuple(8u, "Button 8", 0, "Alpha   (ch 3)", kv::kFalse));
    EXPECT_EQ(t.Shown(), std::tuple(kv::kListen, true, false, 2, -1));
}

TEST(ButtonProgramming, ChangesAreStoredOnOkOnlyAndKeepTheIndications) {
    for (bool ok : {true, false}) {
        Programming t;
        t.ConnectWithTables();
        t.v.ButtonTable[1].First = 1;
        const std::vector<kv::ButtonRecord> before = t.v.ButtonTable;
        t.Load();
        t.Pick(1);
        kv::InputRowPicked(t.v, t.d, 2);  // Studio, input 0
        t.Pick(2);                        // button 3 becomes Talk to Alpha (output 2)
        kv::TypeOptionClicked(t.v, t.d, kv::kTalk);
        kv::OutputRowPicked(t.v, t.d, 0);
        t.Pick(4);  // button 5 becomes Inactive
        kv::TypeOptionClicked(t.v, t.d, kv::kInactive);
        EXPECT_EQ(t.Shown(), std::tuple(kv::kInactive, false, false, 2, 0));
        t.Pick(2);
        EXPECT_EQ(t.Shown(), std::tuple(kv::kTalk, false, true, 2, 0));
        t.v.ButtonTable[2].State = 10;  // meanwhile the poll ticks change an indication
        ok ? kv::ButtonProgrammingOk(t.v, t.d) : kv::ButtonProgrammingCancel(t.d);
        EXPECT_FALSE(t.d.Open);
        EXPECT_EQ(
            std::tuple(t.v.ButtonTable[1].First, t.v.ButtonTable[2].Type, t.v.ButtonTable[2].First,
                       t.v.ButtonTable[4].Type, t.v.ButtonTable[4].First, t.v.ButtonTable[2].State),
            ok ? std::tuple(0, kv::kTalk, 2, kv::kInactive, before[4].First, 10)
               : std::tuple(1, before[2].Type, before[2].First, before[4].Type, before[4].First,
                            10));
    }
}

TEST(ButtonProgramming, TypeChangeKeepsTheStationAndDisabledTypesCannotBeChosen) {
    Programming t;
    t.ConnectWithTables();
    t.v.ButtonTable[1] = kv::ButtonRecord{kv::kSalvo, 2, kv::kFalse, 0, 1, {}, 0};
    t.Load();
    t.Pick(1);
    EXPECT_EQ(t.Shown(), std::tuple(kv::kSalvo, false, false, 2, -1));
    kv::TypeOptionClicked(t.v, t.d, kv::kListen);  // keeps First 2: Mic A, row 1
    EXPECT_EQ(t.Shown(), std::tuple(kv::kListen, true, false, 1, -1));
    for (int refused : {int{kv::kSalvo}, int{kv::kGroup}, 7}) {
        kv::TypeOptionClicked(t.v, t.d, refused);
        EXPECT_EQ(t.d.Work[1].Type, kv::kListen) << refused;
    }
    kv::TypeOptionClicked(t.v, t.d, kv::kTalk);  // output 2 is Alpha, row 0
    EXPECT_EQ(std::tuple(t.d.OutputSelected, t.d.Work[1].First), std::tuple(0, 2));

    // While the fill guard is raised the option and list handlers do nothing.
    t.v.FillGuard = kv::kTrue;
    kv::TypeOptionClicked(t.v, t.d, kv::kInactive);
    kv::OutputRowPicked(t.v, t.d, 1);
    EXPECT_EQ(std::tuple(t.d.Work[1].Type, t.d.Work[1].First), std::tuple(kv::kTalk, 2));
}

TEST(ButtonProgramming, StationsAndTypesWithoutARowOrOptionAreKeptAndNeverFail) {
    Programming t;
    t.ConnectWithTables();
    t.v.ButtonTable[0] = kv::ButtonRecord{kv::kTalk, kv::kNoStation, kv::kFalse, 0, 1, {}, 0};
    t.v.ButtonTable[1].First = 3;  // beyond the three inputs
    t.v.ButtonTable[2] = kv::ButtonRecord{7, 1, kv::kFalse, 0, 1, {}, 0};  // 7 has no option
    t.Load();
    EXPECT_EQ(t.Shown(), std::tuple(kv::kTalk, false, true, -1, -1));
    t.Pick(1);
    EXPECT_EQ(t.Shown(), std::tuple(kv::kListen, true, false, -1, -1));
    kv::InputRowPicked(t.v, t.d, 3);  // no such row
    t.Pick(2);
    EXPECT_EQ(t.Shown(), std::tuple(-1, false, false, -1, -1));
    kv::ButtonProgrammingOk(t.v, t.d);
    EXPECT_EQ(std::tuple(t.v.ButtonTable[0].First, t.v.ButtonTable[1].First,
                         t.v.ButtonTable[2].Type, t.v.ButtonTable[2].First),
              std::tuple(kv::kNoStation, 3, 7, 1));

    // Output tables the server left empty: the list shows what the tables hold.
    Programming e;
    e.ConnectWithTables();
    e.v.OutputNames.clear();
    e.Load();
    EXPECT_EQ(std::tuple(e.d.OutputRows.size(), e.d.InputRows.size(), e.dir.Exists("Errorlog.txt")),
              std::tuple(0u, 3u, false));

    // No buttons: nothing to show, Ok is of no use, nothing can be chosen.
    Programming none;
    none.v.ButtonCount = 0;
    none.Load();
    kv::TypeOptionClicked(none.v, none.d, kv::kListen);
    none.Pick(0);
    EXPECT_EQ(std::tuple(none.d.ButtonRows.size(), none.d.OkEnabled, none.d.TypeSelected),
              std::tuple(0u, false, -1));
}

}  // namespace
