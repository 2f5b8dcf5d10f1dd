#include <gtest/gtest.h>

#include "panel/call_alert.h"
#include "panel/main_window_logic.h"
#include "panel/socket_wiring.h"
#include "panel_fakes.h"

using namespace kv;

namespace {

const char* kConfigured =
    "[SETUP]\r\nIP Address=10.1.2.3\r\nIP Port=4100\r\n[CONFIG]\r\nStay On Top=No\r\n"
    "Over Hang=10\r\n";

}  // namespace

TEST(MainWindowLoad, FirstStartShowsTheNoticeThenLoginForNewThenSetupAndDoesNotConnect) {
    Panel p;
    p.box.onShow = [&] { p.dialogs.log.push_back("box"); };
    MainWindowLoad(p.s, p.dialogs, p.dir.dir());

    ASSERT_EQ(p.box.shown.size(), 1u);
    EXPECT_EQ(p.box.shown[0].title, "Configuration Error");
    EXPECT_EQ(p.box.shown[0].text,
              "System Not Yet Configured.\rPlease specify a User name and Password then specify "
              "the\rIP Address of the Computer running the Intercom Control");
    EXPECT_EQ(p.box.shown[0].icon, platform::MessageIcon::Exclamation);
    const std::vector<std::string> expected{"load windows", "box", "login 'new' at -2",
                                            "setup 'Initial' at -2"};
    EXPECT_EQ(p.dialogs.log, expected);
    EXPECT_EQ(p.dialogs.ordersApplied.back(), -1);  // keep-on-top back after the setup window
    EXPECT_EQ(p.socket.connects, 0);
    EXPECT_FALSE(p.w.PollEnabled);
    EXPECT_EQ(p.w.StatusPanel2, "Server Not Defined ");
    EXPECT_EQ(p.v.ProgramDirectory, p.dir.dir());
}

TEST(MainWindowLoad, ConfiguredStartConnectsAtOnceWithoutAnyWindow) {
    Panel p;
    p.dir.Write("zebntpnl.ini", kConfigured);
    MainWindowLoad(p.s, p.dialogs, p.dir.dir());

    EXPECT_TRUE(p.box.shown.empty());
    EXPECT_EQ(p.dialogs.log, (std::vector<std::string>{"load windows"}));
    EXPECT_EQ(p.w.StatusPanel2, "Server 10.1.2.3");
    p.socket.open = true;
    p.socket.events.Connect();  // the socket's events were wired at start-up
    EXPECT_EQ(p.v.SocketConnected, kTrue);
    EXPECT_EQ(p.dialogs.log.back(), "socket event");
    EXPECT_EQ(p.socket.connects, 1);
    EXPECT_EQ(p.socket.address, "10.1.2.3");
    EXPECT_EQ(p.socket.port, 4100);
    EXPECT_TRUE(p.w.PollEnabled);
    EXPECT_EQ(p.w.PollInterval, 500);
    EXPECT_EQ(p.w.WindowOrder, -2);  // "Stay On Top=No" applied to the window
    EXPECT_EQ(p.w.Buttons[0].Caption, "Button 1\r");
    EXPECT_EQ(p.w.InputWindowText, "NoSystem");
}

TEST(MenuSetup, OpensTheSetupWindowOnlyAfterASuccessfulLogin) {
    Panel p;
    p.v.StayOnTop = -1;
    p.dialogs.onLogin = [&] { p.v.LoggedIn = kFalse; };  // cancelled
    MenuSetupClick(p.s, p.dialogs);
    EXPECT_EQ(p.dialogs.log, (std::vector<std::string>{"login '' at -2"}));

    p.dialogs.onLogin = [&] { p.v.LoggedIn = kTrue; };
    MenuSetupClick(p.s, p.dialogs);
    const std::vector<std::string> expected{"login '' at -2", "login '' at -2",
                                            "setup 'Initial' at -2"};
    EXPECT_EQ(p.dialogs.log, expected);
    EXPECT_EQ(p.w.WindowOrder, -1);
    EXPECT_EQ(p.dialogs.ordersApplied, (std::vector<int32_t>{-2, -1, -2, -1}));
}

TEST(Menus, ModalWindowsOpenWithoutKeepOnTopAndRestoreTheConfiguredOrder) {
    Panel p;
    p.v.StayOnTop = -2;
    MenuPasswordClick(p.s, p.dialogs);
    p.v.StayOnTop = -1;
    MenuAboutClick(p.s, p.dialogs);
    EXPECT_EQ(p.dialogs.log, (std::vector<std::string>{"credential at -2", "about at -2"}));
    EXPECT_EQ(p.dialogs.ordersApplied, (std::vector<int32_t>{-2, -2, -2, -1}));

    MenuContentsClick(p.s, p.dialogs);
    EXPECT_EQ(p.help.contents, 1);
    EXPECT_TRUE(p.box.shown.empty());
    p.help.available = false;
    MenuContentsClick(p.s, p.dialogs);
    ASSERT_EQ(p.box.shown.size(), 1u);
    EXPECT_EQ(p.box.shown[0].text, "The help viewer is not installed.");
}

TEST(Shutdown, ClosesHelpThenWritesTheConfigurationBeforeTheWindowsClose) {
    Panel p;
    p.w.PollEnabled = true;
    p.v.IPAddress = "10.9.8.7";
    std::vector<std::string> steps;
    p.help.onQuit = [&] { steps.push_back(p.dir.Exists("zebntpnl.ini") ? "quit late" : "quit"); };
    p.dialogs.onUnload = [&] {
        steps.push_back(p.w.PollEnabled ? "unload with timer" : "unload");
        EXPECT_NE(p.dir.Read("zebntpnl.ini").find("IP Address=10.9.8.7\r\n"), std::string::npos);
    };
    MenuExitClick(p.s, p.dialogs);
    EXPECT_EQ(steps, (std::vector<std::string>{"quit", "unload"}));

    Panel q;  // the operator closes the window
    MainWindowUnload(q.s, q.dialogs);
    EXPECT_EQ(q.help.quits, 1);
    EXPECT_TRUE(q.dir.Exists("zebntpnl.ini"));
    EXPECT_EQ(q.dialogs.log, (std::vector<std::string>{"unload"}));
}

TEST(CallAlert, AsksForAttentionOncePerNewCallerWhileInactive) {
    Panel p;
    EXPECT_FALSE(TakeCallAlert(p.v, p.w, false));  // nobody calling
    p.v.LastCaller = 5;
    EXPECT_TRUE(TakeCallAlert(p.v, p.w, false));
    EXPECT_FALSE(TakeCallAlert(p.v, p.w, false));  // the same caller once only
    p.v.LastCaller = 6;
    EXPECT_FALSE(TakeCallAlert(p.v, p.w, true));  // seen in the active window
    EXPECT_FALSE(TakeCallAlert(p.v, p.w, false));
    p.v.LastCaller = kNoStation;
    EXPECT_FALSE(TakeCallAlert(p.v, p.w, false));
    p.v.LastCaller = 6;  // calls again after the call had ended
    EXPECT_TRUE(TakeCallAlert(p.v, p.w, false));
}

TEST(SocketWiring, EventsReachTheLinkAndThenTheWindow) {
    Panel p;
    int shown = 0;
    SetUpSocket(p.ctx, [&] { ++shown; });
    p.socket.open = true;
    p.socket.events.Connect();
    EXPECT_EQ(p.v.SocketConnected, kTrue);
    p.socket.events.DataArrival(0);
    p.socket.events.Close();
    EXPECT_EQ(p.v.SocketConnected, kFalse);
    EXPECT_EQ(p.w.Caption, "ZEB Intercom Keyvane - Not Connected");
    EXPECT_EQ(shown, 3);
}
