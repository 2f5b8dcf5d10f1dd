#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <memory>

#include "dialog_fakes.h"
#include "display/station_display.h"
#include "modal.h"
#include "panel/colour_button.h"
#include "panel/main_window_view.h"

namespace {

// The panel window as the program builds it: own output 2 and input 3, a Listen key on
// input 5 and a Talk key to output 7.
struct PanelWindow {
    TestPanel t;
    std::unique_ptr<kv::MainWindow> win;

    // Unconfigured, the window is shown but not loaded: its first start is the test's.
    explicit PanelWindow(bool configured = true) {
        if (configured) {
            t.dir.Write("zebntpnl.ini",
                        "[SETUP]\r\nIP Address=127.0.0.1\r\n[CONFIG]\r\nOutput=3\r\nInput=4\r\n"
                        "Stay On Top=No\r\n[BUTTON 0]\r\nType=0\r\nFirst=6\r\nLine 1=\r\n"
                        "Line 2=\r\n[BUTTON 1]\r\nType=2\r\nFirst=8\r\nLine 1=Studio\r\n"
                        "Line 2=Talk\r\n");
        }
        win = std::make_unique<kv::MainWindow>(t.s, t.dir.dir());
        win->show();
        if (configured) {
            win->Load();
            t.v.SocketConnected = t.v.Connected = kv::kTrue;
        }
    }
    ~PanelWindow() { win->hide(); }

    ColourButton* Button(const QString& name) { return Child<ColourButton>(win.get(), name); }
    QLineEdit* Preset() { return Child(win.get(), "txtPresetWindow"); }
    QComboBox* Stations() { return Child<QComboBox>(win.get(), "cmbStation"); }

    // The colour the operator sees inside a button's face, away from its edge and caption.
    kv::Colour Shown(const QString& name) {
        const QColor c = Button(name)->grab().toImage().pixelColor(5, 5);
        return {uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue())};
    }
};

}  // namespace

TEST(MainWindowGui, BuildsTheControlsAppliesKeepOnTopInPlaceAndSavesWhenClosed) {
    PanelWindow p;
    kv::MainWindow& win = *p.win;
    EXPECT_EQ(p.Button("cmdAnswer")->geometry(), QRect(360, 48, 57, 37));
    EXPECT_EQ(p.Button("cmdButton1")->Caption(), "Studio\nTalk");
    EXPECT_EQ(Child<QLabel>(&win, "StatusBar1Panel2")->text(), "Server 127.0.0.1");
    auto* poll = Child<QTimer>(&win, "tmrPoll");
    EXPECT_TRUE(poll->isActive());
    EXPECT_EQ(win.minimumSize(), win.maximumSize());
    EXPECT_FALSE(win.windowFlags().testFlag(Qt::WindowStaysOnTopHint));  // "Stay On Top=No"
    p.t.w.WindowOrder = -1;
    win.Render();
    EXPECT_TRUE(win.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(win.isVisible());

    p.t.v.IPAddress = "127.0.0.9";
    win.close();  // saves the configuration and stops polling
    EXPECT_FALSE(poll->isActive());
    EXPECT_NE(p.t.dir.Read("zebntpnl.ini").find("IP Address=127.0.0.9\r\n"), std::string::npos);
}

TEST(MainWindowGui, FirstStartShowsThePanelBehindTheLoginAndTheSetupWindow) {
    PanelWindow p(false);
    std::vector<QString> behind;  // what the panel showed while each modal window was up
    QTimer operatorHand;
    QObject::connect(&operatorHand, &QTimer::timeout, [&] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            behind.push_back(modal->windowTitle() + ": " +
                             Child(p.win.get(), "txtInputWindow")->text());
            modal->done(QDialog::Rejected);
        }
    });
    operatorHand.start(10);
    p.win->Load();
    EXPECT_EQ(p.t.box.Titles(), "[Configuration Error]");
    EXPECT_EQ(behind,
              (std::vector<QString>{"User Login: NoSystem", "Intercom Keyvane Setup: NoSystem"}));
}

TEST(MainWindowGui, MouseButtonsAndDigitKeysReachTheKeysAndAutoRepeatIsNoRelease) {
    PanelWindow p;
    QTest::mouseClick(p.Button("cmdButton0"), Qt::LeftButton);
    EXPECT_EQ(p.Shown("cmdButton0"), kv::kListenColour);
    // Held while pressed; any mouse button works Dial Up and Call Answer.
    const std::pair<const char*, Qt::MouseButton> held[] = {{"cmdButton1", Qt::LeftButton},
                                                            {"cmdTake", Qt::RightButton},
                                                            {"cmdAnswer", Qt::MiddleButton}};
    for (auto [name, mouse] : held) {
        QTest::mousePress(p.Button(name), mouse);
        EXPECT_EQ(p.Shown(name), kv::kTalkColour) << name;
        QTest::mouseRelease(p.Button(name), mouse);
        EXPECT_EQ(p.Shown(name), kv::kOffColour) << name;
    }

    struct Key {
        QEvent::Type type;
        bool repeat;  // the key held down: repeats are not releases
        kv::Colour shown;
    };
    for (Key k : {Key{QEvent::KeyPress, false, kv::kTalkColour},
                  Key{QEvent::KeyRelease, true, kv::kTalkColour},
                  Key{QEvent::KeyPress, true, kv::kTalkColour},
                  Key{QEvent::KeyRelease, false, kv::kOffColour}}) {
        QKeyEvent event(k.type, Qt::Key_2, Qt::NoModifier, QStringLiteral("2"), k.repeat);
        QApplication::sendEvent(p.win.get(), &event);
        EXPECT_EQ(p.Shown("cmdButton1"), k.shown) << k.type << k.repeat;
    }
}

TEST(MainWindowGui, AStationIsChosenByTypingInTheDroppedListOrLeftWithEscape) {
    PanelWindow p;
    p.t.v.OutputNames[2] = "Studio B";
    kv::LoadStationCombo(p.t.v, p.t.w);  // as when the output names arrive
    p.win->Render();

    QAbstractItemView* list = p.Stations()->view();
    const auto choose = [&](const char* typed, Qt::Key last) {
        QTest::mouseClick(p.Preset(), Qt::LeftButton);
        EXPECT_FALSE(p.Preset()->isVisible());
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }, 2000));
        QTest::keyClicks(list, typed);
        QTest::keyClick(list, last);
        ASSERT_TRUE(QTest::qWaitFor([&] { return p.Preset()->isVisible(); }, 2000));
        EXPECT_FALSE(p.Stations()->isVisible());
        EXPECT_EQ(p.Preset()->text(), "Studio B");
    };
    choose("Stu", Qt::Key_Return);
    choose("", Qt::Key_Escape);  // left without a choice
    EXPECT_EQ(p.t.v.DialIndex, 2);
}
