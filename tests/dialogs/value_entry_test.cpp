#include "dialogs/value_entry.h"

#include <gtest/gtest.h>

#include "dialog_fakes.h"

// Each mode edits its own pending value and opens its own help topic.
TEST(ValueEntry, EachModeShowsAndStoresOnlyItsOwnValue) {
    const std::tuple<const char*, int, int16_t kv::IntercVariables::*> modes[] = {
        {"Refresh", 60, &kv::IntercVariables::SetupRefreshRate},
        {"TimeOut", 110, &kv::IntercVariables::SetupTimeOut},
        {"FlashRate", 120, &kv::IntercVariables::SetupFlashRate},
        {"OverHang", 130, &kv::IntercVariables::SetupOverHang}};
    for (const auto& [mode, topic, pending] : modes) {
        TestPanel t;
        kv::ValueEntryDialog d;
        t.v.SetupRefreshRate = t.v.SetupTimeOut = t.v.SetupFlashRate = t.v.SetupOverHang = 11;
        t.v.*pending = 12;
        kv::ActivateValueEntry(t.v, d, mode);
        kv::ValueEntryHelp(d, t.help, t.box);
        EXPECT_EQ(std::tuple(d.Text, d.FocusText, t.help.Topics),
                  std::tuple("12", true, std::vector{topic}));
        d.Text = "3600";
        kv::ValueEntryOk(t.v, t.box, d);
        EXPECT_EQ(std::tuple(d.Visible, t.v.*pending, t.box.Titles(),
                             t.v.SetupRefreshRate + t.v.SetupTimeOut + t.v.SetupFlashRate +
                                 t.v.SetupOverHang),
                  std::tuple(false, 3600, "", 3600 + 33))
            << mode;
    }
}

// The leading number rounded half to even (read as the number tests of base check), in
// 1 .. 3600; anything else shows the range and keeps the dialog open with the text as typed.
TEST(ValueEntry, AcceptsOnlyValuesInRange) {
    const std::pair<const char*, int16_t> cases[] = {
        {"12abc", 12}, {"2.5", 2},  {"0.6", 1},    {"1", 1},          {"3600.4", 3600},
        {"0", 0},      {"3601", 0}, {"3600.6", 0}, {"99999999999", 0}};
    for (const auto& [text, number] : cases) {
        TestPanel t;
        kv::ValueEntryDialog d;
        t.v.SetupTimeOut = 20;
        kv::ActivateValueEntry(t.v, d, "TimeOut");
        d.Text = text;
        kv::ValueEntryOk(t.v, t.box, d);
        const bool refused = number == 0;
        EXPECT_EQ(std::tuple(d.Visible, t.v.SetupTimeOut, d.Text,
                             refused ? t.box.Boxes.at(0).Text : t.box.Titles()),
                  std::tuple(refused, refused ? 20 : number, text,
                             refused ? "Please enter a value between 1 and 3600" : ""))
            << text;
    }
}

TEST(ValueEntry, CancelUnknownModesAndAMissingHelpViewerLeaveThePendingValues) {
    TestPanel t;
    kv::ValueEntryDialog d;
    t.v.SetupOverHang = 10;
    kv::ActivateValueEntry(t.v, d, "OverHang");
    d.Text = "25";
    kv::ValueEntryCancel(d);
    EXPECT_EQ(std::tuple(d.Visible, t.v.SetupOverHang), std::tuple(false, 10));
    // A mode word that is not known (the comparison is exact) keeps the texts and stores nothing.
    kv::ActivateValueEntry(t.v, d, "overhang");
    EXPECT_EQ(std::tuple(d.Caption, d.Text), std::tuple("Change OverHang Period", "25"));
    kv::ValueEntryOk(t.v, t.box, d);
    EXPECT_EQ(std::tuple(d.Visible, t.v.SetupOverHang, t.v.SetupRefreshRate),
              std::tuple(false, 10, 0));
    t.help.Available = false;  // a help viewer that cannot start says why
    kv::ValueEntryHelp(d, t.help, t.box);
    EXPECT_EQ(t.box.Boxes.at(0).Text, "no help viewer");
}
