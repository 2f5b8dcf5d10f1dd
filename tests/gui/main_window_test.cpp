#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "panel/click_box.h"
#include "panel/colour_button.h"
#include "panel/main_window_view.h"
#include "panel/station_combo.h"
#include "panel/station_display.h"
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

    PanelWindow() {
        dir.Write("zebntpnl.ini",
                  "[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=" + std::to_string(server.Port()) +
                      "\r\n[CONFIG]\r\nOutput=3\r\nInput=4\r\nStay On Top=No\r\n"
                      "[BUTTON 0]\r\nType=0\r\nFirst=6\r\nLine 1=Monitor\r\nLine 2=\r\n"
                      "[BUTTON 1]\r\nType=2\r\nFirst=8\r\nLine 1=Studio\r\nLine 2=Talk\r\n");
        window = std::make_unique<kv::MainWindow>(s, dir.dir());
        window->show();
        window->Load();
    }
    ~PanelWindow() { window->hide(); }

    bool WaitConnected() {
        return QTest::qWaitFor([&] { return v.Connected != kv::kFalse; }, 5000);
    }
    bool WaitChanges(std::size_t count) {
        return QTest::qWaitFor([&] { return server.changes.size() >= count; }, 3000);
    }
};

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
    EXPECT_EQ(win.Button(0)->geometry(), QRect(32, 12, 73, 37));
    EXPECT_EQ(win.Button(7)->geometry(), QRect(248, 48, 73, 37));
    EXPECT_EQ(win.TakeButton()->geometry(), QRect(360, 12, 57, 37));
    EXPECT_EQ(win.AnswerButton()->geometry(), QRect(360, 48, 57, 37));
    EXPECT_EQ(win.Button(1)->Caption(), "Studio\nTalk");
    EXPECT_EQ(win.Button(2)->Caption(), "Button 3\n");
    EXPECT_EQ(win.Button(0)->toolTip(), "Key 1");
    EXPECT_EQ(win.PresetWindow()->toolTip(), "Displays Station to Dial Up");
    EXPECT_EQ(win.InputWindow()->text(), "NoSystem");
    EXPECT_EQ(win.StatusPanel(2)->text(), "Server 127.0.0.1");
    EXPECT_EQ(win.StatusPanel(1)->toolTip(), "Intercom Station assigned to this panel");
    EXPECT_EQ(Shown(win.Button(3)), Q(kv::kOffColour));
    EXPECT_EQ(Shown(win.PresetWindow()), QColor(255, 0, 0));
    EXPECT_TRUE(win.PollTimer().isActive());
    EXPECT_EQ(win.PollTimer().interval(), 500);
    EXPECT_EQ(win.minimumSize(), win.maximumSize());
    EXPECT_FALSE(win.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(win.windowFlags().testFlag(Qt::WindowStaysOnTopHint));  // "Stay On Top=No"
    p.w.WindowOrder = -1;
    win.Render();
    EXPECT_TRUE(win.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(win.isVisible());  // applied in place, the window stays up
}

TEST(MainWindowGui, ListenLatchesTalkHoldsAndEachEventSendsAtOnce) {
    PanelWindow p;
    ASSERT_TRUE(p.WaitConnected());
    kv::MainWindow& win = *p.window;
    EXPECT_EQ(win.windowTitle(), "ZEB Intercom Keyvane - Connected");

    QTest::mousePress(win.Button(0), Qt::LeftButton);
    QTest::mouseRelease(win.Button(0), Qt::LeftButton);
    EXPECT_EQ(Shown(win.Button(0)), Q(kv::kListenColour));
    ASSERT_TRUE(p.WaitChanges(1));
    QTest::mousePress(win.Button(0), Qt::LeftButton);
    QTest::mouseRelease(win.Button(0), Qt::LeftButton);
    EXPECT_EQ(Shown(win.Button(0)), Q(kv::kOffColour));

    QTest::mousePress(win.Button(1), Qt::LeftButton);
    EXPECT_EQ(Shown(win.Button(1)), Q(kv::kTalkColour));
    ASSERT_TRUE(p.WaitChanges(3));  // the make is out while the button is still held
    QTest::mouseRelease(win.Button(1), Qt::LeftButton);
    EXPECT_EQ(Shown(win.Button(1)), Q(kv::kOffColour));
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
    EXPECT_EQ(Shown(win.Button(1)), Q(kv::kTalkColour));
    send(QEvent::KeyRelease, true);  // the key held down: repeats are not releases
    send(QEvent::KeyPress, true);
    EXPECT_EQ(Shown(win.Button(1)), Q(kv::kTalkColour));
    send(QEvent::KeyRelease, false);
    EXPECT_EQ(Shown(win.Button(1)), Q(kv::kOffColour));
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
    ASSERT_EQ(win.StationList()->count(), 256);

    QTest::mouseClick(win.PresetWindow(), Qt::LeftButton);
    ASSERT_TRUE(win.StationList()->isVisible());
    EXPECT_FALSE(win.PresetWindow()->isVisible());
    QAbstractItemView* list = win.StationList()->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }, 2000));
    QTest::keyClicks(list, "Stu");
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !win.StationList()->isVisible(); }, 2000));
    EXPECT_TRUE(win.PresetWindow()->isVisible());
    EXPECT_EQ(win.PresetWindow()->text(), "Studio B");
    EXPECT_EQ(p.v.DialIndex, 2);

    QTest::mouseClick(win.PresetWindow(), Qt::LeftButton);  // opened and left without a choice
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }, 2000));
    QTest::keyClick(list, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return win.PresetWindow()->isVisible(); }, 2000));
    EXPECT_FALSE(win.StationList()->isVisible());
    EXPECT_EQ(p.v.DialIndex, 2);

    QTest::mousePress(win.TakeButton(), Qt::LeftButton);
    EXPECT_EQ(Shown(win.TakeButton()), Q(kv::kTalkColour));
    QTest::mouseRelease(win.TakeButton(), Qt::LeftButton);
    EXPECT_EQ(Shown(win.TakeButton()), Q(kv::kOffColour));
    QTest::mousePress(win.AnswerButton(), Qt::RightButton);  // every mouse button answers
    EXPECT_EQ(Shown(win.AnswerButton()), Q(kv::kTalkColour));
    QTest::mouseRelease(win.AnswerButton(), Qt::RightButton);
    EXPECT_EQ(Shown(win.AnswerButton()), Q(kv::kOffColour));
    ASSERT_TRUE(p.WaitChanges(4));
    const std::vector<Change> expected{{3, 21, 37}, {3, 21, 33}, {3, 16383, 37}, {3, 16383, 33}};
    EXPECT_EQ(p.server.changes, expected);
}

TEST(MainWindowGui, ClosingTheWindowSavesTheConfigurationAndStopsPolling) {
    PanelWindow p;
    p.v.IPAddress = "127.0.0.9";
    p.window->close();
    EXPECT_FALSE(p.window->PollTimer().isActive());
    EXPECT_NE(p.dir.Read("zebntpnl.ini").find("IP Address=127.0.0.9\r\n"), std::string::npos);
}
