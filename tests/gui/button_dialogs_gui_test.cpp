#include <gtest/gtest.h>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "dialog_fakes.h"
#include "dialogs/button_label_view.h"
#include "dialogs/button_programming_view.h"
#include "modal_driver.h"

namespace {

TEST(ButtonProgrammingGui, ClicksChangeTwoButtonsAndOkStoresThem) {
    Watchdog watchdog;
    TestPanel t;
    t.ConnectWithTables();
    t.v.ButtonTable[1].Type = kv::kSalvo;
    auto ran = std::make_shared<bool>(false);
    WhenModal(
        [&](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Program Button");
            auto* listen = Child<QRadioButton>(dialog, "optButType0");
            auto* talk = Child<QRadioButton>(dialog, "optButType2");
            auto* salvo = Child<QRadioButton>(dialog, "optButType4");
            auto* inputs = Child<QComboBox>(dialog, "cmboInputSelect");
            auto* outputs = Child<QComboBox>(dialog, "cmboOutputSelect");
            auto* buttons = Child<QComboBox>(dialog, "cmbButton");
            ASSERT_TRUE(listen && talk && salvo && inputs && outputs && buttons);
            EXPECT_EQ(talk->toolTip(), "Call Selected Output (First");
            EXPECT_TRUE(listen->isChecked());
            EXPECT_FALSE(inputs->isHidden());
            EXPECT_TRUE(outputs->isHidden());
            EXPECT_FALSE(salvo->isEnabled());

            QTest::mouseClick(talk, Qt::LeftButton, {}, QPoint(5, talk->height() / 2));
            EXPECT_TRUE(talk->isChecked());
            EXPECT_TRUE(inputs->isHidden());
            EXPECT_FALSE(outputs->isHidden());
            QTest::keyClick(outputs, Qt::Key_End);  // Charlie, output 1

            QTest::keyClick(buttons, Qt::Key_Down);  // button 2, a Salvo
            EXPECT_TRUE(salvo->isChecked());
            EXPECT_TRUE(inputs->isHidden() && outputs->isHidden());
            QTest::mouseClick(listen, Qt::LeftButton, {}, QPoint(5, listen->height() / 2));
            QTest::mouseClick(salvo, Qt::LeftButton, {}, QPoint(5, salvo->height() / 2));
            EXPECT_TRUE(listen->isChecked());
            Click(dialog, "cmdOk");
        },
        ran);
    kv::OpenButtonProgrammingDialog(t.s, nullptr);
    EXPECT_TRUE(*ran);
    EXPECT_EQ(t.v.ButtonTable[0].Type, kv::kTalk);
    EXPECT_EQ(t.v.ButtonTable[0].First, 1);
    EXPECT_EQ(t.v.ButtonTable[1].Type, kv::kListen);

    // Cancel drops what was clicked.
    WhenModal([&](QWidget* dialog) {
        auto* inactive = Child<QRadioButton>(dialog, "optButType255");
        QTest::mouseClick(inactive, Qt::LeftButton, {}, QPoint(5, inactive->height() / 2));
        EXPECT_TRUE(inactive->isChecked());
        Click(dialog, "cmdCancel");
    });
    kv::OpenButtonProgrammingDialog(t.s, nullptr);
    EXPECT_EQ(t.v.ButtonTable[0].Type, kv::kTalk);
}

TEST(ButtonLabelGui, TypingIntoTheCaptionBoxesFollowsTheRules) {
    Watchdog watchdog;
    TestPanel t;
    t.v.ButtonLabels[2] = {"Desk", "Two"};
    WhenModal([&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Set Button Caption");
        auto* frame = Child<QGroupBox>(dialog, "frButtonCap0");
        auto* line1 = Child<QLineEdit>(dialog, "txtLine1_0");
        auto* line2 = Child<QLineEdit>(dialog, "txtLine2_0");
        ASSERT_TRUE(frame && line1 && line2);
        EXPECT_EQ(frame->title(), "Button 3");
        EXPECT_EQ(line1->text(), "Desk");
        EXPECT_EQ(Child<QLineEdit>(dialog, "txtLine1_1"), nullptr);

        QTest::keyClicks(line1, "Producer");  // stops at eight characters
        EXPECT_EQ(line1->text(), "DeskProd");
        QTest::keyClick(line1, Qt::Key_Backspace);
        QTest::keyClicks(line1, "xy");
        EXPECT_EQ(line1->text(), "DeskProx");
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
    EXPECT_EQ(t.v.ButtonLabels[2].Line1, "QProx");
    EXPECT_EQ(t.v.ButtonLabels[2].Line2, "Twomuch longer text");
    EXPECT_EQ(t.w.Buttons[2].Caption, "QProx\rTwomuch longer text");
    EXPECT_EQ(t.v.ButtonLabels[1].Line1, "Button 2");
}

TEST(ButtonLabelGui, AllButtonsModeShowsEightFramesInTwoRows) {
    Watchdog watchdog;
    TestPanel t;
    t.v.ButtonLabels[6].Line1 = "\xc9t\xe9";  // as the 8-bit file holds it
    WhenModal([&](QWidget* dialog) {
        QList<QGroupBox*> frames;
        for (int i = 0; i < 8; ++i) {
            frames.append(Child<QGroupBox>(
                dialog, QStringLiteral("frButtonCap%1").arg(i).toUtf8().constData()));
            ASSERT_NE(frames.back(), nullptr) << i;
            EXPECT_EQ(frames.back()->title(), QStringLiteral("Button %1").arg(i + 1));
        }
        EXPECT_EQ(frames[0]->y(), frames[3]->y());
        EXPECT_EQ(frames[4]->y(), frames[7]->y());
        EXPECT_GT(frames[4]->y(), frames[0]->y() + frames[0]->height() / 2);
        EXPECT_EQ(frames[0]->x(), frames[4]->x());
        EXPECT_LT(frames[3]->geometry().right(), dialog->width());
        EXPECT_EQ(Child<QLineEdit>(dialog, "txtLine1_6")->text(),
                  QString::fromUtf8("\u00c9t\u00e9"));
        // Typed one by one; a character the file's code cannot hold is kept out.
        for (const QChar c : QString::fromUtf8("S\u00e9cu\u20acrit\u00e9")) {
            QTest::sendKeyEvent(QTest::Click, Child<QLineEdit>(dialog, "txtLine2_7"),
                                Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        Click(dialog, "cmdOk");
    });
    kv::OpenButtonLabelDialog(t.s, nullptr, "9999");
    EXPECT_EQ(t.v.ButtonLabels[7].Line2,
              "S\xe9"
              "curit\xe9");
    EXPECT_EQ(t.w.Buttons[7].Caption,
              "Button 8\rS\xe9"
              "curit\xe9");
}

}  // namespace
