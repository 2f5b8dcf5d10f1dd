#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>

#include "dialog_fakes.h"
#include "display/station_display.h"
#include "modal.h"
#include "panel/colour_button.h"
#include "panel/main_window_view.h"

namespace {

// The panel window on a panel after program setup, connected, its second key a Talk key.
struct PanelWindow {
    TestPanel t;
    kv::MainWindow win{t.s, t.dir.dir()};

    PanelWindow() {
        t.v.ButtonTable[1].Type = kv::kTalk;
        t.v.Connected = kv::kTrue;
        win.show();
    }
    ColourButton* Button(const QString& name) { return Child<ColourButton>(&win, name); }

    // The colour the operator sees inside a button's face, away from its edge and caption.
    kv::Colour Shown(const QString& name) {
        const QColor c = Button(name)->grab().toImage().pixelColor(5, 5);
        return {uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue())};
    }
};

}  // namespace

TEST(MainWindowGui, ShowsTheViewStateAppliesKeepOnTopInPlaceAndSavesWhenClosed) {
    PanelWindow p;
    p.t.w.Buttons[1].Caption = "Studio\rTalk";
    p.t.w.PollEnabled = true;
    for (int32_t order : {-1, -2}) {
        p.t.w.WindowOrder = order;
        p.win.Render();
        EXPECT_EQ(p.win.windowFlags().testFlag(Qt::WindowStaysOnTopHint), order == -1);
        EXPECT_TRUE(p.win.isVisible());
    }
    EXPECT_EQ(p.Button("cmdButton1")->Caption(), "Studio\nTalk");
    auto* poll = Child<QTimer>(&p.win, "tmrPoll");
    EXPECT_TRUE(poll->isActive());

    p.t.v.IPAddress = "10.0.0.9";
    p.win.close();  // saves the configuration and stops polling
    EXPECT_FALSE(poll->isActive());
    EXPECT_NE(p.t.dir.Read("zebntpnl.ini").find("IP Address=10.0.0.9\r\n"), std::string::npos);
}

TEST(MainWindowGui, MouseButtonsAndDigitKeysReachTheKeysAndAutoRepeatIsNoRelease) {
    PanelWindow p;
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

    const auto key = [&](QEvent::Type type, bool repeat, ulong time) {
        QKeyEvent event(type, Qt::Key_2, Qt::NoModifier, QStringLiteral("2"), repeat);
        event.setTimestamp(time);
        QApplication::sendEvent(&p.win, &event);
    };
    key(QEvent::KeyPress, false, 1);
    EXPECT_EQ(p.Shown("cmdButton1"), kv::kTalkColour);
    p.t.socket.TakeWritten();
    // Held down, the key repeats: as marked events, or (X without detectable auto-repeat) as
    // unmarked pairs of a release and a press of one moment. Neither breaks nor makes.
    key(QEvent::KeyRelease, true, 2);
    key(QEvent::KeyPress, true, 2);
    key(QEvent::KeyRelease, false, 3);
    key(QEvent::KeyPress, false, 3);
    QTest::qWait(60);
    EXPECT_EQ(p.Shown("cmdButton1"), kv::kTalkColour);
    EXPECT_TRUE(p.t.socket.TakeWritten().empty());
    key(QEvent::KeyRelease, false, 4);
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.Shown("cmdButton1") == kv::kOffColour; }, 1000));
}

TEST(MainWindowGui, AStationIsChosenByTypingInTheDroppedListOrLeftWithEscape) {
    PanelWindow p;
    p.t.v.OutputNames[2] = "Studio B";
    kv::LoadStationCombo(p.t.v, p.t.w);  // as when the output names arrive
    p.win.Render();

    QLineEdit* preset = Child(&p.win, "txtPresetWindow");
    auto* stations = Child<QComboBox>(&p.win, "cmbStation");
    QAbstractItemView* list = stations->view();
    const auto choose = [&](const char* typed, Qt::Key last) {
        QTest::mouseClick(preset, Qt::LeftButton);
        EXPECT_FALSE(preset->isVisible());
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }, 2000));
        QTest::keyClicks(list, typed);
        QTest::keyClick(list, last);
        ASSERT_TRUE(QTest::qWaitFor([&] { return preset->isVisible(); }, 2000));
        EXPECT_FALSE(stations->isVisible());
        EXPECT_EQ(preset->text(), "Studio B");
    };
    choose("Stu", Qt::Key_Return);
    choose("", Qt::Key_Escape);  // left without a choice
    EXPECT_EQ(p.t.v.DialIndex, 2);
}
