#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <memory>

#include "display/station_display.h"
#include "panel/colour_button.h"
#include "panel/main_window_view.h"
#include "platform/qt_help_viewer.h"
#include "platform/qt_message_box.h"
#include "platform/qt_socket.h"
#include "temp_dir.h"
#include "test_server.h"

using Change = TestServer::Change;

namespace {

// The panel window built as the program builds it, configured for a loopback server:
// own output 2 and input 3, a Listen button on input 5 and a Talk button to output 7.
struct PanelWindow {
    TempDir dir;
    TestServer server;
    kv::IntercVariables v;
    kv::MainWindowView w;
    kv::platform::QtSocket socket;
    kv::PanelContext ctx{v, w, socket};
    kv::platform::QtMessageBox box;
    kv::platform::QtHelpViewer help{dir.dir()};
    kv::Services s{ctx, box, help};
    std::unique_ptr<kv::MainWindow> window;

    // Unconfigured, the window is shown but not loaded: its first start is the test's.
    explicit PanelWindow(bool configured = true) {
        if (configured) {
            dir.Write(
                "zebntpnl.ini",
                "[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=" + std::to_string(server.Port()) +
                    "\r\n[CONFIG]\r\nOutput=3\r\nInput=4\r\nStay On Top=No\r\n"
                    "[BUTTON 0]\r\nType=0\r\nFirst=6\r\nLine 1=Monitor\r\nLine 2=\r\n"
                    "[BUTTON 1]\r\nType=2\r\nFirst=8\r\nLine 1=Studio\r\nLine 2=Talk\r\n");
        }
        window = std::make_unique<kv::MainWindow>(s, dir.dir());
        window->show();
        if (configured) {
            window->Load();
        }
    }
    ~PanelWindow() { window->hide(); }

    bool WaitConnected() {
        return QTest::qWaitFor([&] { return v.Connected != kv::kFalse; }, 5000);
    }
    bool WaitChanges(std::size_t count) {
        return QTest::qWaitFor([&] { return server.changes.size() >= count; }, 3000);
    }
};

// The window's controls, found by their names.
ColourButton* Button(QWidget& win, int i) {
    return win.findChild<ColourButton*>(QStringLiteral("cmdButton%1").arg(i));
}
ColourButton* Answer(QWidget& win) {
    return win.findChild<ColourButton*>("cmdAnswer");
}
ColourButton* Take(QWidget& win) {
    return win.findChild<ColourButton*>("cmdTake");
}
QLineEdit* Preset(QWidget& win) {
    return win.findChild<QLineEdit*>("txtPresetWindow");
}
QLineEdit* Input(QWidget& win) {
    return win.findChild<QLineEdit*>("txtInputWindow");
}
QComboBox* Stations(QWidget& win) {
    return win.findChild<QComboBox*>("cmbStation");
}
QLabel* Status(QWidget& win, int panel) {
    return win.findChild<QLabel*>(QStringLiteral("StatusBar1Panel%1").arg(panel));
}
QTimer* Poll(QWidget& win) {
    return win.findChild<QTimer*>("tmrPoll");
}

// The colour the operator sees inside a button's face, away from its edge and caption.
QColor Shown(QWidget* widget) {
    return widget->grab().toImage().pixelColor(5, 5);
}

QColor Q(kv::Colour c) {
    return QColor(c.Red, c.Green, c.Blue);
}

}  // namespace

TEST(MainWindowGui, LaysOutTheControlsAndShowsTheConfiguredState) {
    PanelWindow p;
    kv::MainWindow& win = *p.window;
    EXPECT_EQ(win.windowTitle(), "ZEB Intercom Keyvane - Not Connected");
    EXPECT_EQ(Button(win, 0)->geometry(), QRect(32, 12, 73, 37));
    EXPECT_EQ(Button(win, 7)->geometry(), QRect(248, 48, 73, 37));
    EXPECT_EQ(Take(win)->geometry(), QRect(360, 12, 57, 37));
    EXPECT_EQ(Answer(win)->geometry(), QRect(360, 48, 57, 37));
    EXPECT_EQ(Button(win, 1)->Caption(), "Studio\nTalk");
    EXPECT_EQ(Button(win, 2)->Caption(), "Button 3\n");
    EXPECT_EQ(Button(win, 0)->toolTip(), "Key 1");
    EXPECT_EQ(Preset(win)->toolTip(), "Displays Station to Dial Up");
    EXPECT_EQ(Input(win)->text(), "NoSystem");
    EXPECT_EQ(Status(win, 2)->text(), "Server 127.0.0.1");
    EXPECT_EQ(Status(win, 1)->toolTip(), "Intercom Station assigned to this panel");
    EXPECT_EQ(Shown(Button(win, 3)), Q(kv::kOffColour));
    EXPECT_EQ(Shown(Preset(win)), QColor(255, 0, 0));
    EXPECT_TRUE(Poll(win)->isActive());
    EXPECT_EQ(Poll(win)->interval(), 500);
    EXPECT_EQ(win.minimumSize(), win.maximumSize());
    EXPECT_FALSE(win.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(win.windowFlags().testFlag(Qt::WindowStaysOnTopHint));  // "Stay On Top=No"
    p.w.WindowOrder = -1;
    win.Render();
    EXPECT_TRUE(win.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(win.isVisible());  // applied in place, the window stays up
}

TEST(MainWindowGui, FirstStartShowsThePanelBehindTheNoticeTheLoginAndTheSetupWindow) {
    PanelWindow p(false);
    kv::MainWindow& win = *p.window;
    std::vector<std::string> behind;  // what the panel showed while each modal window was up
    QTimer operatorHand;
    QObject::connect(&operatorHand, &QTimer::timeout, [&] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (modal != nullptr && modal->isVisible()) {
            behind.push_back(
                (modal->windowTitle() + ": " + Button(win, 0)->Caption() + "|" + Input(win)->text())
                    .toStdString());
            modal->done(QDialog::Rejected);
        }
    });
    operatorHand.start(10);
    win.Load();
    const std::string panel = ": Button 1|NoSystem";
    EXPECT_EQ(behind, (std::vector<std::string>{"Configuration Error" + panel, "User Login" + panel,
                                                "Intercom Keyvane Setup" + panel}));
}

TEST(MainWindowGui, ListenLatchesTalkHoldsAndEachEventSendsAtOnce) {
    PanelWindow p;
    ASSERT_TRUE(p.WaitConnected());
    kv::MainWindow& win = *p.window;
    EXPECT_EQ(win.windowTitle(), "ZEB Intercom Keyvane - Connected");

    QTest::mousePress(Button(win, 0), Qt::LeftButton);
    QTest::mouseRelease(Button(win, 0), Qt::LeftButton);
    EXPECT_EQ(Shown(Button(win, 0)), Q(kv::kListenColour));
    ASSERT_TRUE(p.WaitChanges(1));
    QTest::mousePress(Button(win, 0), Qt::LeftButton);
    QTest::mouseRelease(Button(win, 0), Qt::LeftButton);
    EXPECT_EQ(Shown(Button(win, 0)), Q(kv::kOffColour));

    QTest::mousePress(Button(win, 1), Qt::LeftButton);
    EXPECT_EQ(Shown(Button(win, 1)), Q(kv::kTalkColour));
    ASSERT_TRUE(p.WaitChanges(3));  // the make is out while the button is still held
    QTest::mouseRelease(Button(win, 1), Qt::LeftButton);
    EXPECT_EQ(Shown(Button(win, 1)), Q(kv::kOffColour));
    ASSERT_TRUE(p.WaitChanges(4));

    const std::vector<Change> expected{{5, 2, 36}, {5, 2, 32}, {3, 7, 37}, {3, 7, 33}};
    EXPECT_EQ(p.server.changes, expected);
}

TEST(MainWindowGui, DigitKeysPressAndReleaseButtonsAndIgnoreAutoRepeat) {
    PanelWindow p;
    ASSERT_TRUE(p.WaitConnected());
    kv::MainWindow& win = *p.window;
    const auto send = [&](QEvent::Type type, bool repeat) {
        QKeyEvent key(type, Qt::Key_2, Qt::NoModifier, QStringLiteral("2"), repeat);
        QApplication::sendEvent(&win, &key);
    };
    send(QEvent::KeyPress, false);
    EXPECT_EQ(Shown(Button(win, 1)), Q(kv::kTalkColour));
    send(QEvent::KeyRelease, true);  // the key held down: repeats are not releases
    send(QEvent::KeyPress, true);
    EXPECT_EQ(Shown(Button(win, 1)), Q(kv::kTalkColour));
    send(QEvent::KeyRelease, false);
    EXPECT_EQ(Shown(Button(win, 1)), Q(kv::kOffColour));
    ASSERT_TRUE(p.WaitChanges(2));
    QTest::qWait(50);
    const std::vector<Change> expected{{3, 7, 37}, {3, 7, 33}};
    EXPECT_EQ(p.server.changes, expected);
}

TEST(MainWindowGui, CallAnswerAndDialUpAfterChoosingAStationByTyping) {
    PanelWindow p;
    ASSERT_TRUE(p.WaitConnected());
    kv::MainWindow& win = *p.window;
    p.v.OutputNames[2] = "Studio B";
    p.v.OutputNumbers[2] = 20;
    kv::LoadStationCombo(p.v, p.w);  // as when the output names arrive
    win.Render();
    ASSERT_EQ(Stations(win)->count(), 256);

    QTest::mouseClick(Preset(win), Qt::LeftButton);
    ASSERT_TRUE(Stations(win)->isVisible());
    EXPECT_FALSE(Preset(win)->isVisible());
    QAbstractItemView* list = Stations(win)->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }, 2000));
    QTest::keyClicks(list, "Stu");
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Stations(win)->isVisible(); }, 2000));
    EXPECT_TRUE(Preset(win)->isVisible());
    EXPECT_EQ(Preset(win)->text(), "Studio B");
    EXPECT_EQ(p.v.DialIndex, 2);

    QTest::mouseClick(Preset(win), Qt::LeftButton);  // opened and left without a choice
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }, 2000));
    QTest::keyClick(list, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Preset(win)->isVisible(); }, 2000));
    EXPECT_FALSE(Stations(win)->isVisible());
    EXPECT_EQ(p.v.DialIndex, 2);

    QTest::mousePress(Take(win), Qt::LeftButton);
    EXPECT_EQ(Shown(Take(win)), Q(kv::kTalkColour));
    QTest::mouseRelease(Take(win), Qt::LeftButton);
    EXPECT_EQ(Shown(Take(win)), Q(kv::kOffColour));
    QTest::mousePress(Answer(win), Qt::RightButton);  // every mouse button answers
    EXPECT_EQ(Shown(Answer(win)), Q(kv::kTalkColour));
    QTest::mouseRelease(Answer(win), Qt::RightButton);
    EXPECT_EQ(Shown(Answer(win)), Q(kv::kOffColour));
    ASSERT_TRUE(p.WaitChanges(4));
    const std::vector<Change> expected{{3, 20, 37}, {3, 20, 33}, {3, 16383, 37}, {3, 16383, 33}};
    EXPECT_EQ(p.server.changes, expected);
}

TEST(MainWindowGui, ClosingTheWindowSavesTheConfigurationAndStopsPolling) {
    PanelWindow p;
    p.v.IPAddress = "127.0.0.9";
    p.window->close();
    EXPECT_FALSE(Poll(*p.window)->isActive());
    EXPECT_NE(p.dir.Read("zebntpnl.ini").find("IP Address=127.0.0.9\r\n"), std::string::npos);
}
