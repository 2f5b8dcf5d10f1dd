#include "dialogs/button_label.h"

#include <gtest/gtest.h>

#include "dialog_fakes.h"

namespace {

TEST(ButtonLabel, AllButtonsModeLaysOutTwoRowsOfFourAndStoresEveryFrame) {
    TestPanel t;
    kv::ButtonLabelDialog d;
    t.v.ButtonLabels[5] = {"Studio", "Two"};
    kv::OpenButtonLabel(t.v, d, "9999");
    ASSERT_EQ(std::tuple(d.AllButtons, d.Frames.size(), d.Width, d.Height),
              std::tuple(true, 8u, 11820, 4520));
    for (const auto& [i, left, top] :
         {std::tuple(0, 120, 120), {3, 8805, 120}, {4, 120, 1560}, {7, 8805, 1560}}) {
        EXPECT_EQ(std::tuple(d.Frames[i].Caption, d.Frames[i].Left, d.Frames[i].Top),
                  std::tuple("Button " + std::to_string(i + 1), left, top));
    }
    for (kv::CaptionFrame& frame : d.Frames) {
        frame.Line2 = "M";
    }
    kv::ButtonLabelOk(t.v, t.w, d);
    EXPECT_EQ(std::tuple(d.Open, t.w.Buttons[5].Caption, t.w.Buttons[7].Caption,
                         t.v.ButtonLabels[8].Line2),
              std::tuple(false, "Studio\rM", "Button 8\rM", ""));

    // Buttons 9 and above continue the second row; the window widens for them. A count beyond
    // the caption records edits only the buttons that have one.
    t.v.ButtonCount = 12;
    t.v.ButtonLabels.resize(11);
    kv::OpenButtonLabel(t.v, d, "9999");
    ASSERT_EQ(d.Frames.size(), 11u);
    EXPECT_EQ(std::tuple(d.Frames[8].Top, d.Frames[8].Left, d.Frames[10].Left, d.Width),
              std::tuple(1560, 11700, 17490, 17490 + 2775 + 240));
}

TEST(ButtonLabel, OneButtonModeChangesOnlyThatRecord) {
    TestPanel t;
    kv::ButtonLabelDialog d;
    kv::OpenButtonLabel(t.v, d, "3");
    ASSERT_EQ(d.Frames.size(), 1u);
    EXPECT_EQ(std::tuple(d.AllButtons, d.Frames[0].Caption, d.Frames[0].Line1, d.Frames[0].Left),
              std::tuple(false, "Button 4", "Button 4", 120));
    d.Frames[0].Line1 = "Director";
    d.Frames[0].Line2 = "pasted longer text";  // not typed: kept whole
    kv::ButtonLabelOk(t.v, t.w, d);
    EXPECT_EQ(t.w.Buttons[3].Caption, "Director\rpasted longer text");
    EXPECT_EQ(t.w.Buttons[2].Caption, "Button 3\r");

    // Cancel after edits leaves the records and the panel as they were.
    kv::OpenButtonLabel(t.v, d, "0");
    d.Frames[0].Line1 = "Changed";
    kv::ButtonLabelCancel(d);
    EXPECT_EQ(std::tuple(d.Open, t.v.ButtonLabels[0].Line1), std::tuple(false, "Button 1"));

    for (const char* tag : {"9", "-1", "70000"}) {  // no such button: nothing to edit
        kv::OpenButtonLabel(t.v, d, tag);
        EXPECT_TRUE(d.Frames.empty()) << tag;
    }
}

// Enter moves from line 1 to line 2, Escape restores the stored line, and at eight characters
// only Backspace or a character replacing a selection is taken. The window tests type below the
// limit and Escape on line 2.
TEST(ButtonLabel, TypingRules) {
    TestPanel t;
    t.v.ButtonLabels[6] = {"Stored", "Second"};
    kv::ButtonLabelDialog d;
    kv::OpenButtonLabel(t.v, d, "9999");
    const struct {
        int line;
        char32_t key;
        std::size_t length;
        bool selection, accept, focusLine2;
        const char* restored;
    } cases[] = {{1, 13, 3, false, false, true, ""},        {2, 13, 3, false, false, false, ""},
                 {1, 27, 2, false, false, false, "Stored"}, {1, U'x', 8, false, false, false, ""},
                 {2, U'x', 12, false, false, false, ""},    {1, 8, 8, false, true, false, ""},
                 {2, U'x', 8, true, true, false, ""}};
    for (const auto& c : cases) {
        const kv::CaptionKey k =
            kv::CaptionKeyPress(t.v, d, 6, c.line, c.key, c.length, c.selection);
        EXPECT_EQ(std::tuple(k.Accept, k.FocusLine2, k.Restore, k.RestoreText),
                  std::tuple(c.accept, c.focusLine2, *c.restored != 0, c.restored))
            << c.line << " " << static_cast<int>(c.key) << " " << c.length;
    }
    EXPECT_FALSE(kv::CaptionKeyPress(t.v, d, 8, 1, 27, 0, false).Restore);  // no such frame
}

}  // namespace
