#include <gtest/gtest.h>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>

#include "dialog_fakes.h"
#include "dialogs/button_label_view.h"
#include "dialogs/button_programming_view.h"
#include "modal.h"

TEST(ButtonProgrammingGui, ClicksShowTheMatchingListAndOkStoresTwoButtons) {
    TestPanel t;
    t.ConnectWithTables();
    t.v.ButtonTable[1].Type = kv::kSalvo;
    WhenModal([&](QWidget* dialog) {
        auto* inputs = Child<QComboBox>(dialog, "cmboInputSelect");
        auto* outputs = Child<QComboBox>(dialog, "cmboOutputSelect");
        EXPECT_TRUE(Child<QRadioButton>(dialog, "optButType0")->isChecked());
        EXPECT_FALSE(inputs->isHidden());
        EXPECT_TRUE(outputs->isHidden());
        EXPECT_FALSE(Child<QRadioButton>(dialog, "optButType4")->isEnabled());

        Tick(dialog, "optButType2");  // Talk
        EXPECT_TRUE(inputs->isHidden());
        EXPECT_FALSE(outputs->isHidden());
        QTest::keyClick(outputs, Qt::Key_End);  // Charlie, output 1

        QTest::keyClick(Child<QComboBox>(dialog, "cmbButton"), Qt::Key_Down);  // a Salvo
        EXPECT_TRUE(Child<QRadioButton>(dialog, "optButType4")->isChecked());
        EXPECT_TRUE(inputs->isHidden() && outputs->isHidden());
        Tick(dialog, "optButType0");
        Tick(dialog, "optButType4");  // disabled: stays Listen
        EXPECT_TRUE(Child<QRadioButton>(dialog, "optButType0")->isChecked());
        Click(dialog, "cmdOk");
    });
    kv::OpenButtonProgrammingDialog(t.s, nullptr);
    EXPECT_EQ(t.v.ButtonTable[0].Type, kv::kTalk);
    EXPECT_EQ(t.v.ButtonTable[0].First, 1);
    EXPECT_EQ(t.v.ButtonTable[1].Type, kv::kListen);

    WhenModal([&](QWidget* dialog) {
        Tick(dialog, "optButType255");
        Click(dialog, "cmdCancel");  // drops what was clicked
    });
    kv::OpenButtonProgrammingDialog(t.s, nullptr);
    EXPECT_EQ(t.v.ButtonTable[0].Type, kv::kTalk);
}

TEST(ButtonLabelGui, TypingIntoTheCaptionBoxesFollowsTheRules) {
    TestPanel t;
    t.v.ButtonLabels[2] = {"Desk", "Two"};
    WhenModal([&](QWidget* dialog) {
        EXPECT_EQ(Child<QGroupBox>(dialog, "frButtonCap0")->title(), "Button 3");
        EXPECT_EQ(dialog->findChild<QLineEdit*>("txtLine1_1"), nullptr);  // one button only
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

TEST(ButtonLabelGui, AllButtonsModeShowsEightFramesInTwoRowsInTheFilesCharacters) {
    TestPanel t;
    t.v.ButtonLabels[6].Line1 = "\xc9t\xe9";  // as the 8-bit file holds it
    WhenModal([&](QWidget* dialog) {
        std::vector<QGroupBox*> frames;
        for (int i = 0; i < 8; ++i) {
            frames.push_back(Child<QGroupBox>(dialog, QStringLiteral("frButtonCap%1").arg(i)));
            ASSERT_NE(frames.back(), nullptr);
            EXPECT_EQ(frames.back()->title(), QStringLiteral("Button %1").arg(i + 1));
        }
        EXPECT_EQ(frames[0]->y(), frames[3]->y());
        EXPECT_GT(frames[4]->y(), frames[0]->y() + frames[0]->height() / 2);
        EXPECT_EQ(frames[0]->x(), frames[4]->x());
        EXPECT_EQ(Child(dialog, "txtLine1_6")->text(), QString::fromUtf8("\u00c9t\u00e9"));
        // Typed one by one; a character the file's code cannot hold is kept out.
        for (const QChar c : QString::fromUtf8("S\u00e9cu\u20acrit\u00e9")) {
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
