#include <gtest/gtest.h>

#include "panel/call_alert.h"
#include "panel/main_window_logic.h"
#include "panel_fakes.h"

using namespace kv;
using Lines = std::vector<std::string>;

TEST(MainWindowLoad, FirstStartShowsTheNoticeThenLoginForNewThenSetupAndDoesNotConnect) {
    Panel p;
    MainWindowLoad(p.s, p.rec, p.dir.dir());
    const Lines expected{"load windows",
                         "order -2",
                         "panel shown",  // behind the modal windows, never a blank one
                         "box Configuration Error: System Not Yet Configured.\rPlease specify a "
                         "User name and Password then specify the\rIP Address of the Computer "
                         "running the Intercom Control",
                         "login 'new'",
                         "setup 'Initial'",
                         "order -1"};  // keep-on-top back after the setup window
    EXPECT_EQ(p.rec.log, expected);
    EXPECT_EQ(p.rec.lastIcon, platform::MessageIcon::Exclamation);
    EXPECT_EQ(p.socket.ConnectCalls, 0);
}

TEST(MainWindowLoad, ConfiguredStartConnectsAtOnceAndWiresTheSocketsEvents) {
    Panel p;
    p.dir.Write("zebntpnl.ini", "[SETUP]\r\nIP Address=10.1.2.3\r\n[CONFIG]\r\nStay On Top=No\r\n");
    MainWindowLoad(p.s, p.rec, p.dir.dir());
    EXPECT_EQ(p.rec.log, (Lines{"load windows", "order -2"}));
    EXPECT_EQ(p.w.StatusPanel2, "Server 10.1.2.3");
    EXPECT_EQ(p.socket.ConnectCalls, 1);
    EXPECT_TRUE(p.w.PollEnabled);

    // Each event reaches the link, then the window shows what it changed.
    p.socket.Events.Connect();
    EXPECT_EQ(p.v.SocketConnected, kTrue);
    p.socket.Events.DataArrival(0);
    p.socket.Events.Close();
    EXPECT_EQ(p.v.SocketConnected, kFalse);
    EXPECT_EQ(p.w.Caption, "ZEB Intercom Keyvane - Not Connected");
    EXPECT_EQ(p.rec.log.size(), 5u);
    EXPECT_EQ(p.rec.log.back(), "socket event");
}

TEST(Menus, ModalWindowsOpenWithoutKeepOnTopAndSetupOnlyAfterALogin) {
    Panel p;
    p.v.StayOnTop = -1;
    p.rec.onLogin = [&] { p.v.LoggedIn = kFalse; };  // cancelled
    MenuSetupClick(p.s, p.rec);
    p.rec.onLogin = [&] { p.v.LoggedIn = kTrue; };
    MenuSetupClick(p.s, p.rec);
    EXPECT_EQ(p.w.WindowOrder, -1);
    p.v.StayOnTop = -2;
    MenuPasswordClick(p.s, p.rec);
    p.v.StayOnTop = -1;
    MenuAboutClick(p.s, p.rec);
    // Each modal window: keep-on-top off, the panel shown behind it, the configured order back.
    const Lines expected{"order -2",    "panel shown", "login ''",        "order -1", "order -2",
                         "panel shown", "login ''",    "setup 'Initial'", "order -1", "order -2",
                         "panel shown", "credential",  "order -2",        "order -2", "panel shown",
                         "about",       "order -1"};
    EXPECT_EQ(p.rec.log, expected);

    p.rec.log.clear();
    MenuContentsClick(p.s, p.rec);
    p.rec.helpAvailable = false;
    MenuContentsClick(p.s, p.rec);  // only a missing viewer is told
    EXPECT_EQ(p.rec.log, (Lines{"help contents", "help contents", "order -2", "panel shown",
                                "box Help: The help viewer is not installed.", "order -1"}));

    // Our own File entries stand behind the same login.
    int opened = 0;
    for (const int16_t login : {kFalse, kTrue}) {
        p.rec.onLogin = [&] { p.v.LoggedIn = login; };
        MenuGuardedClick(p.s, p.rec, [&] { ++opened; });
    }
    EXPECT_EQ(opened, 1);
}

TEST(Shutdown, ClosesHelpThenWritesTheConfigurationBeforeTheWindowsClose) {
    for (bool menu : {true, false}) {
        SCOPED_TRACE(menu ? "File Exit" : "window closed");
        Panel p;
        p.w.PollEnabled = true;
        p.v.IPAddress = "10.9.8.7";
        p.rec.onQuit = [&] { EXPECT_FALSE(p.dir.Exists("zebntpnl.ini")); };
        p.rec.onUnload = [&] {
            EXPECT_FALSE(p.w.PollEnabled);
            EXPECT_NE(p.dir.Read("zebntpnl.ini").find("IP Address=10.9.8.7\r\n"),
                      std::string::npos);
        };
        menu ? MenuExitClick(p.s, p.rec) : MainWindowUnload(p.s, p.rec);
        EXPECT_EQ(p.rec.log, (Lines{"help quit", "unload"}));
    }
}

TEST(CallAlert, AsksForAttentionOncePerNewCallerWhileInactive) {
    struct Step {
        int16_t caller;
        bool active, alert;
    };
    const Step steps[] = {
        {kNoStation, false, false},  // nobody calling
        {5, false, true},            // a new caller
        {5, false, false},           // the same caller once only
        {6, true, false},            // seen in the active window
        {6, false, false},           // ... needs no alert later either
        {kNoStation, false, false},  // the call ended
        {6, false, true},            // calls again after the call had ended
    };
    Panel p;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        p.v.LastCaller = steps[i].caller;
        EXPECT_EQ(TakeCallAlert(p.v, p.w, steps[i].active), steps[i].alert) << "step " << i;
    }
}
