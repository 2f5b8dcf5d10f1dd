#include "dialogs/button_label.h"

#include <gtest/gtest.h>

#include "dialog_fakes.h"

namespace {

TEST(ButtonLabel, AllButtonsModeLaysOutTwoRowsOfFour) {
    TestPanel t;
    t.v.ButtonLabels[5].Line1 = "Studio";
    t.v.ButtonLabels[5].Line2 = "Two";
    kv::ButtonLabelDialog d;
    kv::OpenButtonLabel(t.v, d, "9999");
    ASSERT_TRUE(d.AllButtons);
    ASSERT_EQ(d.Frames.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(d.Frames[i].Caption, "Button " + std::to_string(i + 1));
        EXPECT_EQ(d.Frames[i].Top, i < 4 ? 120 : 1560);
        EXPECT_EQ(d.Frames[i].Left, 120 + 2895 * static_cast<int>(i % 4));
    }
    EXPECT_EQ(d.Frames[5].Line1, "Studio");
    EXPECT_EQ(d.Frames[5].Line2, "Two");
    EXPECT_EQ(d.Width, 11820);
    EXPECT_EQ(d.Height, 4520);

    // Buttons 9 and above continue the second row; the window widens for them.
    t.v.ButtonCount = 10;
    t.v.ButtonLabels.resize(11);
    kv::OpenButtonLabel(t.v, d, "9999");
    ASSERT_EQ(d.Frames.size(), 10u);
    EXPECT_EQ(d.Frames[8].Top, 1560);
    EXPECT_EQ(d.Frames[8].Left, 120 + 2895 * 4);
    EXPECT_EQ(d.Frames[9].Left, 120 + 2895 * 5);
    EXPECT_GE(d.Width, d.Frames[9].Left + 2775);

    // A count beyond the caption records edits only the buttons that have one.
    t.v.ButtonCount = 12;
    kv::OpenButtonLabel(t.v, d, "9999");
    EXPECT_EQ(d.Frames.size(), 11u);
}

TEST(ButtonLabel, OneButtonModeChangesOnlyThatRecord) {
    TestPanel t;
    const std::vector<kv::ButtonLabel> before = t.v.ButtonLabels;
    kv::ButtonLabelDialog d;
    kv::OpenButtonLabel(t.v, d, "3");
    ASSERT_FALSE(d.AllButtons);
    ASSERT_EQ(d.Frames.size(), 1u);
    EXPECT_EQ(d.Frames[0].Caption, "Button 4");
    EXPECT_EQ(d.Frames[0].Line1, "Button 4");
    EXPECT_EQ(d.Frames[0].Left, 120);

    d.Frames[0].Line1 = "Director";
    d.Frames[0].Line2 = "pasted longer text";  // not typed: kept whole
    kv::ButtonLabelOk(t.v, t.w, d);
    EXPECT_FALSE(d.Open);
    EXPECT_EQ(t.v.ButtonLabels[3].Line1, "Director");
    EXPECT_EQ(t.v.ButtonLabels[3].Line2, "pasted longer text");
    EXPECT_EQ(t.w.Buttons[3].Caption, "Director\rpasted longer text");
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (i != 3) {
            EXPECT_EQ(t.v.ButtonLabels[i].Line1, before[i].Line1) << i;
            EXPECT_EQ(t.v.ButtonLabels[i].Line2, before[i].Line2) << i;
        }
    }

    // Cancel after edits leaves the records and the panel as they were.
    kv::OpenButtonLabel(t.v, d, "0");
    d.Frames[0].Line1 = "Changed";
    kv::ButtonLabelCancel(d);
    EXPECT_EQ(t.v.ButtonLabels[0].Line1, "Button 1");
    EXPECT_EQ(t.w.Buttons[0].Caption, "Button 1\r");

    // A tag naming no button edits nothing.
    for (const char* tag : {"12", "-1", "70000"}) {
        kv::OpenButtonLabel(t.v, d, tag);
        EXPECT_TRUE(d.Frames.empty()) << tag;
    }
}

TEST(ButtonLabel, AllButtonsOkStoresEveryFrame) {
    TestPanel t;
    kv::ButtonLabelDialog d;
    kv::OpenButtonLabel(t.v, d, "9999");
    for (std::size_t i = 0; i < d.Frames.size(); ++i) {
        d.Frames[i].Line1 = "L" + std::to_string(i);
        d.Frames[i].Line2 = "M" + std::to_string(i);
    }
    kv::ButtonLabelOk(t.v, t.w, d);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(t.v.ButtonLabels[i].Line1, "L" + std::to_string(i));
        EXPECT_EQ(t.w.Buttons[i].Caption, "L" + std::to_string(i) + "\rM" + std::to_string(i));
    }
    EXPECT_EQ(t.v.ButtonLabels[8].Line1, "");
}

TEST(ButtonLabel, TypingRules) {
    TestPanel t;
    t.v.ButtonLabels[6].Line1 = "Stored";
    t.v.ButtonLabels[6].Line2 = "Second";
    kv::ButtonLabelDialog d;
    kv::OpenButtonLabel(t.v, d, "9999");

    // Enter: dropped; from line 1 the focus moves to line 2.
    kv::CaptionKey k = kv::CaptionKeyPress(t.v, d, 6, 1, 13, 3, false);
    EXPECT_FALSE(k.Accept);
    EXPECT_TRUE(k.FocusLine2);
    k = kv::CaptionKeyPress(t.v, d, 6, 2, 13, 3, false);
    EXPECT_FALSE(k.Accept);
    EXPECT_FALSE(k.FocusLine2);

    // Escape: dropped, the box gets its own stored line back.
    k = kv::CaptionKeyPress(t.v, d, 6, 1, 27, 2, false);
    EXPECT_FALSE(k.Accept);
    EXPECT_TRUE(k.Restore);
    EXPECT_EQ(k.RestoreText, "Stored");
    k = kv::CaptionKeyPress(t.v, d, 6, 2, 27, 2, false);
    EXPECT_EQ(k.RestoreText, "Second");

    // Eight characters: only Backspace, or a character replacing a selection.
    EXPECT_TRUE(kv::CaptionKeyPress(t.v, d, 0, 1, U'x', 7, false).Accept);
    EXPECT_FALSE(kv::CaptionKeyPress(t.v, d, 0, 1, U'x', 8, false).Accept);
    EXPECT_FALSE(kv::CaptionKeyPress(t.v, d, 0, 2, U'x', 12, false).Accept);
    EXPECT_TRUE(kv::CaptionKeyPress(t.v, d, 0, 1, 8, 8, false).Accept);
    EXPECT_TRUE(kv::CaptionKeyPress(t.v, d, 0, 2, U'x', 8, true).Accept);
    EXPECT_FALSE(kv::CaptionKeyPress(t.v, d, 0, 2, U'x', 8, true).FocusLine2);
}

}  // namespace
