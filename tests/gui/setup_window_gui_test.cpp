#include <gtest/gtest.h>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/setup_window_view.h"
#include "dialog_fakes.h"
#include "modal_driver.h"

namespace {

TEST(SetupWindowGui, TypedServerIsFilteredAcceptedAndConnected) {
    Watchdog watchdog;
    TestPanel t;
    t.v.IPAddress = "10.0.0.1";
    kv::SetupWindowView view(t.s, nullptr);
    EXPECT_EQ(view.windowTitle(), "Intercom Keyvane Setup");

    auto ran = std::make_shared<bool>(false);
    WhenModal(
        [&](QWidget* window) {
            auto* address = Child<QLineEdit>(window, "txtIPAddr");
            auto* port = Child<QLineEdit>(window, "txtIPPort");
            ASSERT_NE(address, nullptr);
            ASSERT_NE(port, nullptr);
            EXPECT_EQ(address->text(), "10.0.0.1");
            EXPECT_EQ(port->text(), "1250");
            EXPECT_EQ(Child<QComboBox>(window, "cmboOutputSelect")->currentText(), "Not Connected");
            EXPECT_TRUE(Child<QCheckBox>(window, "chkStayOnTop")->isChecked());
            EXPECT_EQ(Child<QPushButton>(window, "cmdButtonSetup")->text(), "Program &Button ");
            EXPECT_EQ(Child<QPushButton>(window, "cmdOk")->toolTip(), "Accept current settings");

            address->clear();
            QTest::keyClicks(address, "1a9-2. 168x.0.01");
            EXPECT_EQ(address->text(), "192.168.0.01");
            QTest::keyClick(address, Qt::Key_Backspace);
            EXPECT_EQ(address->text(), "192.168.0.0");
            port->clear();
            QTest::keyClicks(port, "4-0.0a1");
            EXPECT_EQ(port->text(), "4001");
            // Pasting, input methods and multi-character key text obey the typing rule.
            QGuiApplication::clipboard()->setText("5\t6");
            port->paste();
            QInputMethodEvent commit;
            commit.setCommitString("7x");
            QCoreApplication::sendEvent(port, &commit);
            QKeyEvent keys(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, "8a");
            QCoreApplication::sendEvent(address, &keys);
            EXPECT_EQ(port->text(), "4001");
            EXPECT_EQ(address->text(), "192.168.0.0");
            auto* stayOnTop = Child<QCheckBox>(window, "chkStayOnTop");
            QTest::mouseClick(stayOnTop, Qt::LeftButton, {}, QPoint(5, stayOnTop->height() / 2));
            Click(window, "cmdOk");
        },
        ran);
    view.Open("Initial");
    EXPECT_TRUE(*ran);
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(view.result(), QDialog::Accepted);
    EXPECT_EQ(t.v.IPAddress, "192.168.0.0");
    EXPECT_EQ(t.v.IPPort, 4001);
    EXPECT_EQ(t.v.StayOnTop, -2);
    EXPECT_EQ(t.socket.ConnectCalls, 1);
    EXPECT_EQ(t.socket.Address, "192.168.0.0");
    EXPECT_TRUE(t.box.Boxes.empty());
    EXPECT_TRUE(t.dir.Exists("zebntpnl.ini"));
}

TEST(SetupWindowGui, RefusedPortKeepsTheWindowOpenAndCancelThenCloses) {
    Watchdog watchdog;
    TestPanel t;
    kv::SetupWindowView view(t.s, nullptr);
    WhenModal([&](QWidget* window) {
        auto* port = Child<QLineEdit>(window, "txtIPPort");
        port->clear();
        QTest::keyClicks(port, "70000");
        Click(window, "cmdOk");
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(t.box.Titles(), "[Port Error]");
        EXPECT_EQ(port->text(), "70000");  // left for the operator to correct
        Click(window, "cmdCancel");
    });
    view.Open("Initial");
    EXPECT_EQ(view.result(), QDialog::Rejected);
    EXPECT_EQ(t.v.IPPort, 1250);
    EXPECT_FALSE(t.dir.Exists("zebntpnl.ini"));

    // Reopened: the panel's values again, not what was typed before.
    WhenModal([&](QWidget* window) {
        EXPECT_EQ(Child<QLineEdit>(window, "txtIPPort")->text(), "1250");
        QTest::keyClick(window, Qt::Key_Escape);
    });
    view.Open("Initial");
    EXPECT_FALSE(view.isVisible());
}

TEST(SetupWindowGui, StationChoiceAndValueDialogReachThePanelOnOk) {
    Watchdog watchdog;
    TestPanel t;
    t.ConnectWithTables();
    kv::SetupWindowView view(t.s, nullptr);
    WhenModal([&](QWidget* window) {
        auto* outputs = Child<QComboBox>(window, "cmboOutputSelect");
        ASSERT_EQ(outputs->count(), 3);
        EXPECT_EQ(outputs->currentText(), "Bravo   (ch 1)");
        QTest::keyClick(outputs, Qt::Key_Down);
        EXPECT_EQ(outputs->currentText(), "Charlie   (ch 2)");

        // The value dialog, opened from the flash rate command.
        WhenModal([&](QWidget* entry) {
            EXPECT_EQ(entry->windowTitle(), "Change Flash Rate");
            EXPECT_EQ(Child<QLabel>(entry, "lblRefreshHelp")->text(),
                      "Enter new button Flash Rate in miliseconds");
            auto* text = Child<QLineEdit>(entry, "txtRefreshRate");
            EXPECT_EQ(text->text(), "1000");
            QTest::keyClick(entry, Qt::Key_F1);
            text->clear();
            QTest::keyClicks(text, "4000");
            Click(entry, "cmdOk");
            EXPECT_TRUE(entry->isVisible());
            text->clear();
            QTest::keyClicks(text, "300");
            Click(entry, "cmdOk");
        });
        Click(window, "cmdFlashRate");
        EXPECT_EQ(t.v.SetupFlashRate, 300);
        // Back from the dialog the window is not refilled.
        EXPECT_EQ(outputs->currentText(), "Charlie   (ch 2)");
        Click(window, "cmdOk");
    });
    view.Open("Initial");
    EXPECT_EQ(t.help.Topics, std::vector<int>{120});
    EXPECT_EQ(t.box.Titles(), "[Input Error]");
    EXPECT_EQ(t.v.FlashRate, 150);
    EXPECT_EQ(t.v.AssignedOutput, 1);
    EXPECT_EQ(t.w.StatusPanel1, "Intercom Station Assignment (Charlie) ");
}

}  // namespace
