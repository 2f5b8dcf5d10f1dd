#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>

#include "dialog_fakes.h"
#include "display/station_display.h"
#include "modal.h"
#include "panel/control_holds.h"
#include "panel/main_window_view.h"

// The panel for a keyboard-only operator and for assistive technology's actions.

TEST(PanelAccess, TabFollowsTheRowsAndEveryMouseActionHasItsKey) {
    TestPanel t;
    t.ConnectWithTables();
    t.v.ButtonTable[1].Type = kv::kTalk;
    kv::LoadStationCombo(t.v, t.w);
    kv::MainWindow win{t.s, t.dir.dir()};
    win.show();
    QApplication::setActiveWindow(&win);
    QWidget* key = Child<QWidget>(&win, "cmdButton1");
    key->setFocus(Qt::TabFocusReason);
    QStringList order;
    for (int i = 0; i < 13; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order.join(' '),
              "cmdButton1 cmdButton2 cmdButton3 cmdTake txtPresetWindow cmdButton4 cmdButton5 "
              "cmdButton6 cmdButton7 cmdAnswer txtInputWindow cmdButton0 cmdButton1");

    // Held by Space, let go when Tab moves on; pressed once by an accessible action.
    t.socket.TakeWritten();
    QTest::keyPress(key, Qt::Key_Space);
    QTest::keyClick(key, Qt::Key_Tab);
    const std::size_t makeAndBreak = t.socket.TakeWritten().size();
    QAccessible::queryAccessibleInterface(key)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    EXPECT_GT(makeAndBreak, 0u);
    EXPECT_EQ(t.socket.TakeWritten().size(), makeAndBreak);
    EXPECT_FALSE(kv::IsHeld(t.w, 1));

    // Space on the Dial Up box opens the station list; the choice hands the focus back.
    QLineEdit* preset = Child(&win, "txtPresetWindow");
    preset->setFocus(Qt::TabFocusReason);
    QTest::keyClick(preset, Qt::Key_Space);
    QAbstractItemView* list = Child<QComboBox>(&win, "cmbStation")->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }, 2000));
    QTest::keyClicks(list, "Ch");
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return preset->isVisible(); }, 2000));
    EXPECT_EQ(preset->text(), "Charlie");
    EXPECT_EQ(QApplication::focusWidget(), preset);
    EXPECT_FALSE(preset->hasSelectedText());
    key->setFocus(Qt::OtherFocusReason);  // from the mouse, the focus stays where it was
    QTest::mouseClick(preset, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }, 2000));
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return preset->isVisible(); }, 2000));
    EXPECT_EQ(QApplication::focusWidget(), key);

    // The Menu key edits the focused key's caption, as a right click does.
    QString opened;
    WhenModal([&](QWidget* modal) {
        opened = modal->objectName();
        modal->close();
    });
    key->setFocus(Qt::TabFocusReason);
    QTest::keyClick(key, Qt::Key_Menu);
    EXPECT_EQ(opened.toStdString(), "frmButtonLabel");
}
