#include "hotkeys/hotkeys_dialog_view.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QPushButton>
#include <QTest>

// Pressed as an operator would: a row's key button, then the wanted key.
TEST(HotkeysDialog, ARowTakesThePressedKeyNotOneBoundElsewhereEscLeavesItClearFreesIt) {
    kv::HotkeysDialog::Facts facts;
    ASSERT_EQ(kv::Bind(facts.Bindings, 2, "F9"), std::nullopt);
    facts.Refused[2] = "F9 is taken by another program";
    kv::HotkeysDialog d(facts);
    d.show();
    const auto key = [&](int row) {
        return d.findChild<QPushButton*>(QString("cmdKey%1").arg(row));
    };
    const auto message = [&] { return d.findChild<QLabel*>("lblMessage")->text(); };
    EXPECT_EQ(key(2)->text(), "F9");
    EXPECT_EQ(key(0)->text(), "(none)");

    QTest::mouseClick(key(0), Qt::LeftButton);
    EXPECT_EQ(key(0)->text(), "Press a key...");
    QTest::keyClick(key(0), Qt::Key_F9);
    EXPECT_EQ(message(), "F9 is already bound to Key 3");
    EXPECT_EQ(key(0)->text(), "(none)");

    QTest::mouseClick(key(0), Qt::LeftButton);
    QTest::keyClick(key(0), Qt::Key_Shift, Qt::ShiftModifier);  // a modifier alone waits on
    QTest::keyClick(key(0), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(key(0)->text(), "Ctrl+Shift+T");
    QTest::mouseClick(key(0), Qt::LeftButton);
    QTest::keyClick(key(0), Qt::Key_Escape);
    EXPECT_EQ(key(0)->text(), "Ctrl+Shift+T");

    QTest::mouseClick(d.findChild<QPushButton*>("cmdClear2"), Qt::LeftButton);
    QTest::mouseClick(key(kv::kDialControl), Qt::LeftButton);
    QTest::keyClick(key(kv::kDialControl), Qt::Key_F9);
    EXPECT_EQ(message(), "");
    EXPECT_EQ(kv::SectionValues(d.Bindings())[0].second, "Ctrl+Shift+T");
    EXPECT_EQ(kv::ControlOf(d.Bindings(), *kv::ReadChord("F9")), kv::kDialControl);
    EXPECT_FALSE(d.Bindings().Chords[2].has_value());
}
