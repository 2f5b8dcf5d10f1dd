#include <gtest/gtest.h>
#include <QComboBox>
#include <QGroupBox>
#include <QRegularExpression>

#include "dialog_fakes.h"
#include "dialogs/button_label_view.h"
#include "dialogs/button_programming_view.h"
#include "modal.h"

TEST(ButtonProgrammingGui, ClicksShowTheMatchingListAndOkStoresButCancelDrops) {
    TestPanel t;
    t.ConnectWithTables();
    t.v.ButtonTable[1].Type = kv::kSalvo;
    const uint8_t before = t.v.ButtonTable[0].Type;
    for (const char* close : {"cmdCancel", "cmdOk"}) {
        WhenModal([&](QWidget* dialog) {
            auto* inputs = Child<QComboBox>(dialog, "cmboInputSelect");
            auto* outputs = Child<QComboBox>(dialog, "cmboOutputSelect");
            Click(dialog, "optButType2");  // Talk: the outputs instead of the inputs
            EXPECT_TRUE(inputs->isHidden());
            EXPECT_FALSE(outputs->isHidden());
            QTest::keyClick(outputs, Qt::Key_End);  // Charlie, output 1
            QTest::keyClick(Child<QComboBox>(dialog, "cmbButton"), Qt::Key_Down);  // a Salvo
            EXPECT_TRUE(inputs->isHidden() && outputs->isHidden());
            Click(dialog, "optButType0");
            Click(dialog, "optButType4");  // disabled: stays Listen
            Click(dialog, close);
        });
        kv::OpenButtonProgrammingDialog(t.s, nullptr);
        const bool ok = close == std::string("cmdOk");
        EXPECT_EQ(t.v.ButtonTable[0].Type, ok ? uint8_t{kv::kTalk} : before) << close;
        EXPECT_EQ(t.v.ButtonTable[1].Type, ok ? kv::kListen : kv::kSalvo) << close;
    }
    EXPECT_EQ(t.v.ButtonTable[0].First, 1);
}

TEST(ButtonLabelGui, TypingIntoTheCaptionBoxesFollowsTheRules) {
    TestPanel t;
    t.v.ButtonLabels[2] = {"Desk", "Two"};
    t.v.ButtonLabels[6].Line1 = "\xc9t\xe9";  // as the 8-bit file holds it
    const auto frames = [](QWidget* dialog) {
        return dialog->findChildren<QGroupBox*>(QRegularExpression("^frButtonCap")).size();
    };
    WhenModal([&](QWidget* dialog) {
        EXPECT_EQ(frames(dialog), 1);
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
        EXPECT_TRUE(dialog->isVisible());
        line2->insert("much longer text");  // as pasted: kept whole
        Click(dialog, "cmdOk");
    });
    kv::OpenButtonLabelDialog(t.s, nullptr, "2");
    EXPECT_EQ(t.w.Buttons[2].Caption, "QProx\rTwomuch longer text");

    WhenModal([&](QWidget* dialog) {
        EXPECT_EQ(frames(dialog), 8);
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
