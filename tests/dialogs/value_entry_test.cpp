#include "dialogs/value_entry.h"

#include <gtest/gtest.h>

#include "dialog_fakes.h"

namespace {

TEST(ValueEntry, EachModeShowsItsTextsValueAndHelpTopicAndStoresOnlyItsValue) {
    const struct {
        const char *mode, *caption, *label, *prompt;
        int topic;
        int16_t kv::IntercVariables::*pending;
    } cases[] = {
        {"Refresh", "Change Refresh Rate", "Poll Rate", "Enter new Poll Rate in seconds", 60,
         &kv::IntercVariables::SetupRefreshRate},
        {"TimeOut", "Change Time Out Period", "Time Out Period",
         "Enter new Time Out Period in seconds", 110, &kv::IntercVariables::SetupTimeOut},
        {"FlashRate", "Change Flash Rate", "Flash Rate",
         "Enter new button Flash Rate in miliseconds", 120, &kv::IntercVariables::SetupFlashRate},
        {"OverHang", "Change OverHang Period", "OverHang Period",
         "Enter new Over Hang Period in seconds", 130, &kv::IntercVariables::SetupOverHang}};
    for (const auto& c : cases) {
        TestPanel t;
        kv::ValueEntryDialog d;
        t.v.SetupRefreshRate = t.v.SetupTimeOut = t.v.SetupFlashRate = t.v.SetupOverHang = 11;
        t.v.*c.pending = 12;
        kv::ActivateValueEntry(t.v, d, c.mode);
        EXPECT_EQ(std::tuple(d.Caption, d.Label, d.Prompt, d.Text, d.FocusText),
                  std::tuple(c.caption, c.label, c.prompt, "12", true));
        kv::ValueEntryHelp(d, t.help, t.box);
        EXPECT_EQ(t.help.Topics, std::vector<int>{c.topic});
        d.Text = "3600";
        kv::ValueEntryOk(t.v, t.box, d);
        EXPECT_FALSE(d.Visible);
        EXPECT_EQ(t.v.SetupRefreshRate + t.v.SetupTimeOut + t.v.SetupFlashRate + t.v.SetupOverHang,
                  3600 + 33)
            << c.mode;
        EXPECT_EQ(t.v.*c.pending, 3600) << c.mode;
        EXPECT_TRUE(t.box.Boxes.empty());
    }
}

// The leading number rounded half to even, in 1 .. 3600; anything else shows the range and
// keeps the dialog open with the text as typed.
TEST(ValueEntry, AcceptsOnlyValuesInRange) {
    const std::pair<const char*, int16_t> cases[] = {
        {"12abc", 12}, {"2.5", 2},       {"3.5", 4}, {"0.6", 1},    {"1", 1},
        {"  42", 42},  {"3600.4", 3600}, {"", 0},    {"0", 0},      {"3601", 0},
        {"-4", 0},     {"abc", 0},       {"0.4", 0}, {"3600.6", 0}, {"99999999999", 0}};
    for (const auto& [text, number] : cases) {
        TestPanel t;
        kv::ValueEntryDialog d;
        t.v.SetupTimeOut = 20;
        kv::ActivateValueEntry(t.v, d, "TimeOut");
        d.Text = text;
        kv::ValueEntryOk(t.v, t.box, d);
        EXPECT_EQ(std::tuple(d.Visible, t.v.SetupTimeOut, d.Text),
                  std::tuple(number == 0, number == 0 ? 20 : number, text))
            << text;
        if (number == 0) {
            ASSERT_EQ(t.box.Boxes.size(), 1u) << text;
            EXPECT_EQ(std::tuple(t.box.Boxes[0].Text, t.box.Boxes[0].Title),
                      std::tuple("Please enter a value between 1 and 3600", "Input Error"));
        }
    }
}

TEST(ValueEntry, CancelUnknownModesAndAMissingHelpViewerLeaveThePendingValues) {
    TestPanel t;
    kv::ValueEntryDialog d;
    EXPECT_EQ(std::tuple(d.Caption, d.Label, d.Prompt),
              std::tuple("Enter Refresh Rate", "Poll Rate", "Enter new Poll Rate in seconds"));
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

    // A help viewer that cannot start says why.
    t.help.Available = false;
    kv::ValueEntryHelp(d, t.help, t.box);
    ASSERT_EQ(t.box.Boxes.size(), 1u);
    EXPECT_EQ(t.box.Boxes[0].Text, "no help viewer");
}

}  // namespace
