#include <gtest/gtest.h>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>

#include "config/setup_window_view.h"
#include "dialog_fakes.h"
#include "modal.h"

TEST(SetupWindowGui, TypedServerIsFilteredHoweverItArrivesAndARefusedOneStaysToBeCorrected) {
    TestPanel t;
    kv::SetupWindowView view(t.s, nullptr);
    WhenModal([&](QWidget* window) {
        QLineEdit* address = Child(window, "txtIPAddr");
        QLineEdit* port = Child(window, "txtIPPort");
        EXPECT_EQ(window->focusWidget(), address);
        Type(window, "txtIPPort", "70000");
        Click(window, "cmdOk");  // refused: the window stays open, the text left to correct
        EXPECT_EQ(t.box.Titles(), "[Port Error]");
        EXPECT_EQ(port->text(), "70000");
        Type(window, "txtIPAddr", "1a9-2. 168x.0.01");
        QTest::keyClick(address, Qt::Key_Backspace);
        Type(window, "txtIPPort", "4-0.0a1");
        // Pasting, input methods and multi-character key text obey the typing rule too.
        QGuiApplication::clipboard()->setText("5\t6");
        port->paste();
        QInputMethodEvent commit;
        commit.setCommitString("7x");
        QCoreApplication::sendEvent(port, &commit);
        QKeyEvent keys(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, "8a");
        QCoreApplication::sendEvent(address, &keys);
        EXPECT_EQ(address->text(), "192.168.0.0");
        EXPECT_EQ(port->text(), "4001");
        Click(window, "cmdOk");
    });
    view.Open("Initial");
    EXPECT_EQ(t.socket.Address, "192.168.0.0");
    EXPECT_EQ(t.socket.Port, 4001);
}

TEST(SetupWindowGui, ChoosingAStationOrAValueKeepsWhatWasTypedAndOkAppliesAll) {
    TestPanel t;
    t.ConnectWithTables();
    kv::SetupWindowView view(t.s, nullptr);
    WhenModal([&](QWidget* window) {
        Type(window, "txtIPAddr", "10.0.0.2");
        Type(window, "txtIPPort", "4002");
        Click(window, "chkStayOnTop");
        // Redrawn for the station chosen, the window keeps what was typed and ticked.
        QTest::keyClick(Child<QComboBox>(window, "cmboOutputSelect"), Qt::Key_Down);  // Charlie

        WhenModal([&](QWidget* entry) {
            QTest::keyClick(entry, Qt::Key_F1);
            Type(entry, "txtRefreshRate", "300");
            Click(entry, "cmdOk");
        });
        Click(window, "cmdFlashRate");
        Click(window, "cmdOk");
    });
    view.Open("Initial");
    EXPECT_EQ(t.help.Topics, std::vector<int>{120});
    EXPECT_EQ(t.v.FlashRate, 150);
    EXPECT_EQ(t.v.AssignedOutput, 1);
    EXPECT_EQ(t.v.IPAddress, "10.0.0.2");
    EXPECT_EQ(t.v.IPPort, 4002);
    EXPECT_EQ(t.v.StayOnTop, -2);

    WhenModal([&](QWidget* window) {
        EXPECT_EQ(Child(window, "txtIPPort")->text(), "4002");  // each opening refills
        Type(window, "txtIPPort", "1");
        QTest::keyClick(window, Qt::Key_Escape);
    });
    view.Open("Initial");
    EXPECT_EQ(t.v.IPPort, 4002);
}
