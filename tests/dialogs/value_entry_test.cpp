#include "dialogs/value_entry.h"

#include <gtest/gtest.h>

#include "dialog_fakes.h"

namespace {

TEST(ValueEntry, EachModeShowsItsTextsValueAndHelpTopic) {
    struct Case {
        const char* Mode;
        const char* Caption;
        const char* Label;
        const char* Prompt;
        int Topic;
        int16_t kv::IntercVariables::*Pending;
    };
    const Case cases[] = {
        {"Refresh", "Change Refresh Rate", "Poll Rate", "Enter new Poll Rate in seconds", 60,
         &kv::IntercVariables::SetupRefreshRate},
        {"TimeOut", "Change Time Out Period", "Time Out Period",
         "Enter new Time Out Period in seconds", 110, &kv::IntercVariables::SetupTimeOut},
        {"FlashRate", "Change Flash Rate", "Flash Rate",
         "Enter new button Flash Rate in miliseconds", 120, &kv::IntercVariables::SetupFlashRate},
        {"OverHang", "Change OverHang Period", "OverHang Period",
         "Enter new Over Hang Period in seconds", 130, &kv::IntercVariables::SetupOverHang},
    };
    TestPanel t;
    kv::ValueEntryDialog d;
    int16_t value = 11;
    for (const Case& c : cases) {
        t.v.*c.Pending = value;
        kv::ActivateValueEntry(t.v, d, c.Mode);
        EXPECT_EQ(d.Caption, c.Caption);
        EXPECT_EQ(d.Label, c.Label);
        EXPECT_EQ(d.Prompt, c.Prompt);
        EXPECT_EQ(d.Text, std::to_string(value));
        EXPECT_TRUE(d.FocusText);
        kv::ValueEntryHelp(d, t.help, t.box);
        EXPECT_EQ(t.help.Topics.back(), c.Topic);

        d.Text = "3600";
        kv::ValueEntryOk(t.v, t.box, d);
        EXPECT_FALSE(d.Visible);
        EXPECT_EQ(t.v.*c.Pending, 3600) << c.Mode;
        ++value;
    }
    // Only its own pending value changed: the flash rate kept what it was given last.
    t.v.SetupFlashRate = 13;
    kv::ActivateValueEntry(t.v, d, "Refresh");
    d.Text = "7";
    kv::ValueEntryOk(t.v, t.box, d);
    EXPECT_EQ(t.v.SetupRefreshRate, 7);
    EXPECT_EQ(t.v.SetupFlashRate, 13);
    EXPECT_TRUE(t.box.Boxes.empty());

    // A help viewer that cannot start says why.
    t.help.Available = false;
    kv::ValueEntryHelp(d, t.help, t.box);
    ASSERT_EQ(t.box.Boxes.size(), 1u);
    EXPECT_EQ(t.box.Boxes[0].Text, "no help viewer");
}

TEST(ValueEntry, ReadsTheLeadingNumberRoundedHalfToEven) {
    const std::pair<const char*, int16_t> accepted[] = {
        {"12abc", 12}, {"2.5", 2},     {"3.5", 4},   {"0.6", 1},
        {"1", 1},      {"3600", 3600}, {"  42", 42}, {"3600.4", 3600},
    };
    for (const auto& [text, number] : accepted) {
        TestPanel t;
        kv::ValueEntryDialog d;
        kv::ActivateValueEntry(t.v, d, "TimeOut");
        d.Text = text;
        kv::ValueEntryOk(t.v, t.box, d);
        EXPECT_FALSE(d.Visible) << text;
        EXPECT_EQ(t.v.SetupTimeOut, number) << text;
        EXPECT_TRUE(t.box.Boxes.empty()) << text;
    }
}

TEST(ValueEntry, OutOfRangeOrUnreadableShowsTheRangeMessageAndStaysOpen) {
    for (const char* text :
         {"", "0", "3601", "32768", "99999999999", "-4", "abc", "0.4", "3600.6"}) {
        TestPanel t;
        kv::ValueEntryDialog d;
        t.v.SetupFlashRate = 1000;
        kv::ActivateValueEntry(t.v, d, "FlashRate");
        d.Text = text;
        kv::ValueEntryOk(t.v, t.box, d);
        ASSERT_EQ(t.box.Boxes.size(), 1u) << text;
        EXPECT_EQ(t.box.Boxes[0].Text, "Please enter a value between 1 and 3600");
        EXPECT_EQ(t.box.Boxes[0].Title, "Input Error");
        EXPECT_TRUE(d.Visible);
        EXPECT_EQ(d.Text, text);
        EXPECT_EQ(t.v.SetupFlashRate, 1000);
    }
}

TEST(ValueEntry, CancelAndUnknownModesLeaveThePendingValues) {
    TestPanel t;
    kv::ValueEntryDialog d;
    EXPECT_EQ(d.Caption, "Enter Refresh Rate");
    EXPECT_EQ(d.Label, "Poll Rate");
    EXPECT_EQ(d.Prompt, "Enter new Poll Rate in seconds");

    t.v.SetupOverHang = 10;
    kv::ActivateValueEntry(t.v, d, "OverHang");
    d.Text = "25";
    kv::ValueEntryCancel(d);
    EXPECT_FALSE(d.Visible);
    EXPECT_EQ(t.v.SetupOverHang, 10);

    // A mode word that is not known (the comparison is exact) keeps the texts and stores nothing.
    kv::ActivateValueEntry(t.v, d, "overhang");
    EXPECT_EQ(d.Caption, "Change OverHang Period");
    EXPECT_EQ(d.Text, "25");
    kv::ValueEntryOk(t.v, t.box, d);
    EXPECT_FALSE(d.Visible);
    EXPECT_EQ(t.v.SetupOverHang, 10);
    EXPECT_EQ(t.v.SetupRefreshRate, 0);
}

}  // namespace
