#include <gtest/gtest.h>

#include "dialog_fakes.h"
#include "dialogs/button_label_view.h"
#include "modal.h"

TEST(ButtonLabelGui, TypingIntoTheCaptionBoxesFollowsTheRules) {
    TestPanel t;
    t.v.ButtonLabels[2] = {"Desk", ""};
    WhenModal([&](QWidget* dialog) {
        QLineEdit* line1 = Child(dialog, "txtLine1_0");
        QLineEdit* line2 = Child(dialog, "txtLine2_0");
        QTest::keyClicks(line1, "Producer");  // stops at eight characters
        QTest::keyClick(line1, Qt::Key_Backspace);
        QTest::keyClicks(line1, "xy");
        line1->setSelection(0, 4);
        QTest::keyClicks(line1, "Q");
        QTest::keyClick(line1, Qt::Key_Return);
        EXPECT_EQ(dialog->focusWidget(), line2);  // Enter moves on, it does not close
        QTest::keyClicks(line2, "zz");
        QTest::keyClick(line2, Qt::Key_Escape);  // undoes the line's typing only
        // Typed one by one; a character the file's 8-bit code cannot hold is kept out.
        for (const QChar c : QString::fromUtf8("S\u00e9cu\u20acrit\u00e9")) {
            QTest::sendKeyEvent(QTest::Click, line2, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        line2->insert(" much longer text");  // as pasted: kept whole
        Click(dialog, "cmdOk");
    });
    kv::OpenButtonLabelDialog(t.s, nullptr, "2");
    EXPECT_EQ(t.w.Buttons[2].Caption,
              "QProx\rS\xe9"
              "curit\xe9 much longer text");
}
