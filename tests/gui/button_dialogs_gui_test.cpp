#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QRegularExpression>

#include "dialog_fakes.h"
#include "dialogs/button_label_view.h"
#include "dialogs/button_programming_view.h"
#include "modal.h"

namespace {

int Frames(QWidget* dialog) {
    return dialog->findChildren<QGroupBox*>(QRegularExpression("^frButtonCap")).size();
}

}  // namespace

TEST(ButtonProgrammingGui, ClicksShowTheMatchingListAndOkStoresTwoButtons) {
    TestPanel t;
    t.ConnectWithTables();
    t.v.ButtonTable[1].Type = kv::kSalvo;
    WhenModal([&](QWidget* dialog) {
        auto* inputs = Child<QComboBox>(dialog, "cmboInputSelect");
        auto* outputs = Child<QComboBox>(dialog, "cmboOutputSelect");
        EXPECT_FALSE(inputs->isHidden());
        EXPECT_TRUE(outputs->isHidden());
        Click(dialog, "optButType2");  // Talk
        EXPECT_TRUE(inputs->isHidden());
        EXPECT_FALSE(outputs->isHidden());
        QTest::keyClick(outputs, Qt::Key_End);  // Charlie, output 1

        QTest::keyClick(Child<QComboBox>(dialog, "cmbButton"), Qt::Key_Down);  // a Salvo
        EXPECT_TRUE(Child<QAbstractButton>(dialog, "optButType4")->isChecked());
        EXPECT_TRUE(inputs->isHidden() && outputs->isHidden());
        Click(dialog, "optButType0");
        Click(dialog, "optButType4");  // disabled: stays Listen
        Click(dialog, "cmdOk");
    });
    kv::OpenButtonProgrammingDialog(t.s, nullptr);
    EXPECT_EQ(t.v.ButtonTable[0].Type, kv::kTalk);
    EXPECT_EQ(t.v.ButtonTable[0].First, 1);
    EXPECT_EQ(t.v.ButtonTable[1].Type, kv::kListen);

    WhenModal([&](QWidget* dialog) {
        Click(dialog, "optButType255");
        Click(dialog, "cmdCancel");  // drops what was clicked
    });
    kv::OpenButtonProgrammingDialog(t.s, nullptr);
    EXPECT_EQ(t.v.ButtonTable[0].Type, kv::kTalk);
}

TEST(ButtonLabelGui, TypingIntoTheCaptionBoxesFollowsTheRules) {
    TestPanel t;
    t.v.ButtonLabels[2] = {"Desk", "Two"};
    WhenModal([&](QWidget* dialog) {
        EXPECT_EQ(Frames(dialog), 1);  // the one button's frame
        QLineEdit* line1 = Child(dialog, "txtLine1_0");
        QLineEdit* line2 = Child(dialog, "txtLine2_0");
        QTest::keyClicks(line1, "Producer");  // stops at eight characters
        EXPECT_EQ(line1->text(), "DeskProd");
        QTest::keyClick(line1, Qt::Key_Backspace);
        QTest::keyClicks(line1, "xy");
        line1->setSelection(0, 4);
        QTest::keyClicks(line1, "Q");
        EXPECT_EQ(line1->text(), "QProx");
        QTest::keyClick(line1, Qt::Key_Return);
        EXPECT_EQ(dialog->focusWidget(), line2);
        EXPECT_TRUE(dialog->isVisible());  // Enter does not close the dialog

        QTest::keyClicks(line2, "zz");
        QTest::keyClick(line2, Qt::Key_Escape);
        EXPECT_EQ(line2->text(), "Two");
        EXPECT_TRUE(dialog->isVisible());
        line2->insert("much longer text");  // as pasted: kept whole
        Click(dialog, "cmdOk");
    });
    kv::OpenButtonLabelDialog(t.s, nullptr, "2");
    EXPECT_EQ(t.w.Buttons[2].Caption, "QProx\rTwomuch longer text");
    EXPECT_EQ(t.v.ButtonLabels[1].Line1, "Button 2");
}

TEST(ButtonLabelGui, AllButtonsModeShowsEightFramesAndKeepsOutWhatTheFileCannotHold) {
    TestPanel t;
    t.v.ButtonLabels[6].Line1 = "\xc9t\xe9";  // as the 8-bit file holds it
    WhenModal([&](QWidget* dialog) {
        EXPECT_EQ(Frames(dialog), 8);
        EXPECT_EQ(Child(dialog, "txtLine1_6")->text(), QString::fromUtf8("\u00c9t\u00e9"));
        for (const QChar c : QString::fromUtf8("S\u00e9cu\u20acrit\u00e9")) {  // key by key
            QTest::sendKeyEvent(QTest::Click, Child(dialog, "txtLine2_7"), Qt::Key_unknown,
                                QString(c), Qt::NoModifier);
        }
        Click(dialog, "cmdOk");
    });
    kv::OpenButtonLabelDialog(t.s, nullptr, "9999");
    EXPECT_EQ(t.v.ButtonLabels[7].Line2,
              "S\xe9"
              "curit\xe9");
}
