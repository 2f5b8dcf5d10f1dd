#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QKeyEvent>

#include "dialog_fakes.h"
#include "display/station_display.h"
#include "modal.h"
#include "panel/colour_button.h"
#include "panel/main_window_view.h"

// The panel as assistive technology and a keyboard-only operator meet it.

namespace {

struct AccessPanel {
    TestPanel t;
    kv::MainWindow win{t.s, t.dir.dir()};

    AccessPanel() {
        t.ConnectWithTables();
        t.v.ButtonTable[1].Type = kv::kTalk;
        t.v.ButtonTable[1].First = 0;
        t.v.ButtonTable[2].Type = kv::kListen;
        t.w.Buttons[1].Caption = "Studio\rTalk";
        win.show();
        win.activateWindow();
        QApplication::setActiveWindow(&win);
        win.Render();
    }
    QAccessibleInterface* Face(const char* name) {
        return QAccessible::queryAccessibleInterface(Child<QWidget>(&win, name));
    }
    void Key(QWidget* to, QEvent::Type type, Qt::Key key, bool repeat = false) {
        QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "", repeat);
        event.setTimestamp(++time);
        QApplication::sendEvent(to, &event);
        if (type == QEvent::KeyRelease && !repeat) {
            QTest::qWait(60);  // a release counts once no repeat followed it
        }
    }
    ulong time = 0;
};

}  // namespace

TEST(PanelAccess, KeysAreButtonsNamedByCaptionAndHeldBySpaceWithTheirStatesKeptCurrent) {
    AccessPanel p;

    QAccessibleInterface* talk = p.Face("cmdButton1");
    EXPECT_EQ(talk->role(), QAccessible::Button);
    EXPECT_EQ(talk->text(QAccessible::Name), "Key 2, Studio Talk");
    EXPECT_EQ(talk->text(QAccessible::Description), "off");
    EXPECT_EQ(p.Face("cmdButton2")->text(QAccessible::Name), "Key 3, Button 3, listen");
    EXPECT_TRUE(p.Face("cmdButton2")->state().checkable);
    EXPECT_EQ(p.Face("cmdAnswer")->text(QAccessible::Name), "Call Answer");
    EXPECT_EQ(p.Face("txtInputWindow")->text(QAccessible::Name), "Calling: none");
    EXPECT_EQ(p.Face("StatusBar1Panel1")->text(QAccessible::Name), p.t.w.StatusPanel1.c_str());

    auto* button = Child<ColourButton>(&p.win, "cmdButton1");
    button->setFocus(Qt::TabFocusReason);
    p.t.socket.TakeWritten();
    p.Key(button, QEvent::KeyPress, Qt::Key_Space);
    EXPECT_FALSE(p.t.socket.TakeWritten().empty());        // the make
    p.Key(button, QEvent::KeyPress, Qt::Key_Space, true);  // auto-repeat: still one hold
    p.Key(button, QEvent::KeyRelease, Qt::Key_Space, true);
    EXPECT_TRUE(p.t.socket.TakeWritten().empty());
    EXPECT_TRUE(talk->state().pressed);
    EXPECT_EQ(talk->text(QAccessible::Description), "lit, held");
    p.Key(button, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_FALSE(p.t.socket.TakeWritten().empty());  // the break
    EXPECT_FALSE(talk->state().pressed);
    EXPECT_EQ(talk->text(QAccessible::Description), "off");

    // A press from assistive technology is a click; a held key let go when Tab moves on.
    const std::size_t oneClick = [&] {
        talk->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        return p.t.socket.TakeWritten().size();
    }();
    EXPECT_FALSE(talk->state().pressed);
    p.Key(button, QEvent::KeyPress, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_Tab);
    EXPECT_FALSE(talk->state().pressed);
    EXPECT_GT(oneClick, 0u);
    EXPECT_EQ(p.t.socket.TakeWritten().size(), oneClick);  // made and broken again

    // The Menu key opens what a right click opens.
    QString opened;
    WhenModal([&](QWidget* modal) {
        opened = modal->objectName();
        modal->close();
    });
    p.Key(button, QEvent::KeyPress, Qt::Key_Menu);
    EXPECT_EQ(opened.toStdString(), "frmButtonLabel");

    // A call flashes the key and names the caller in the calling box.
    p.t.v.ButtonTable[1].CallFlash = kv::kTrue;
    p.t.v.LastCaller = 2;
    p.t.w.InputWindowText = "Alpha";
    p.win.Render();
    EXPECT_TRUE(talk->state().animated);
    EXPECT_EQ(talk->text(QAccessible::Description), "flashing for a call");
    EXPECT_EQ(p.Face("txtInputWindow")->text(QAccessible::Name), "Calling: Alpha");
    EXPECT_EQ(p.Face("cmdAnswer")->text(QAccessible::Description), "answers Alpha");
}

TEST(PanelAccess, TabFollowsTheRowsAndTheDialUpBoxOpensTheStationListFromTheKeyboard) {
    AccessPanel p;
    kv::LoadStationCombo(p.t.v, p.t.w);
    p.win.Render();
    Child<QWidget>(&p.win, "cmdButton0")->setFocus(Qt::TabFocusReason);
    QStringList order;
    for (int i = 0; i < 13; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order.join(' '),
              "cmdButton0 cmdButton1 cmdButton2 cmdButton3 cmdTake txtPresetWindow cmdButton4 "
              "cmdButton5 cmdButton6 cmdButton7 cmdAnswer txtInputWindow cmdButton0");

    QLineEdit* preset = Child(&p.win, "txtPresetWindow");
    preset->setFocus(Qt::TabFocusReason);
    QTest::keyClick(preset, Qt::Key_Space);
    auto* stations = Child<QComboBox>(&p.win, "cmbStation");
    ASSERT_TRUE(QTest::qWaitFor([&] { return stations->view()->isVisible(); }, 2000));
    QTest::keyClicks(stations->view(), "Ch");
    QTest::keyClick(stations->view(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return preset->isVisible(); }, 2000));
    EXPECT_EQ(preset->text(), "Charlie");
    EXPECT_EQ(QApplication::focusWidget(), preset);  // back where the choice began
    EXPECT_EQ(p.Face("txtPresetWindow")->text(QAccessible::Name), "Dial Up: Charlie");
}
