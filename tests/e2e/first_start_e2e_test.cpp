#include <gtest/gtest.h>
#include <QThread>
#include <filesystem>

#include "desktop_session.h"
#include "temp_dir.h"

// The first start of the real program in an empty directory, under its own X server,
// against the stand-in server: the notice, the first login, the setup window, the link;
// then a second start that finds its configuration.

namespace {

const char* const kConnected = "ZEB Intercom Keyvane - Connected";

TEST(FirstStart, NoticeLoginSetupThenConnectedAndASecondStartNeedsNothing) {
    TempDir dir;
    DesktopSession run;
    ASSERT_TRUE(run.StartX("1024x768x24"));
    const QString port = run.StartServer(SWITCHERSIM_BINARY, {"--trace"});
    ASSERT_FALSE(port.isEmpty()) << "the stand-in server did not start";

    // The program alone with its help viewer and help file.
    std::filesystem::copy_file(KEYVANE_BINARY, dir.path() / "keyvane");
    std::filesystem::copy_file(KEYVANE_HELP_BINARY, dir.path() / "keyvane-help");
    std::filesystem::copy_file(KEYVANE_HELP_FILE, dir.path() / "Intercom.HLP");
    ASSERT_TRUE(run.StartPanel(dir.path()));

    const QString notice = run.WaitForWindow("Configuration Error");
    ASSERT_FALSE(notice.isEmpty()) << "no first-start notice\n" << run.Seen();
    EXPECT_TRUE(run.Window(kConnected).isEmpty());
    run.Focus(notice);
    run.Press("key", "Return");

    const QString login = run.WaitForWindow("User Login");
    ASSERT_FALSE(login.isEmpty()) << "no first login\n" << run.Seen();
    run.Focus(login);
    run.Press("key", "Escape");  // Cancel is disabled at the first entry
    QThread::msleep(500);
    ASSERT_FALSE(run.Window("User Login").isEmpty()) << "the first login could be cancelled";
    EXPECT_TRUE(run.Window("Intercom Keyvane Setup").isEmpty());
    run.Focus(login);
    run.Press("type", "operator");
    run.Press("key", "Tab");
    run.Press("type", "abc");
    run.Press("key", "Return");

    const QString setup = run.WaitForWindow("Intercom Keyvane Setup");
    ASSERT_FALSE(setup.isEmpty()) << "no setup window after the login\n" << run.Seen();
    EXPECT_TRUE(run.Window("User Login").isEmpty());
    EXPECT_FALSE(run.Trace().contains("poll")) << "a connection before the setup window's Ok";
    run.Focus(setup);
    run.Press("key", "ctrl+a");
    run.Press("type", "127.0.0.1");
    run.Press("key", "Tab");
    run.Press("key", "ctrl+a");
    run.Press("type", port);
    run.Press("key", "Return");

    ASSERT_FALSE(run.WaitForWindow(kConnected).isEmpty()) << "the panel never connected\n"
                                                          << run.Seen();
    EXPECT_TRUE(run.Window("Intercom Keyvane Setup").isEmpty());
    // Both station name tables reach the panel, which stays connected without an error.
    EXPECT_TRUE(WaitFor(
        [&] {
            return run.Trace().contains("alpha-table type=10") &&
                   run.Trace().contains("alpha-table type=20");
        },
        10000))
        << run.Trace().toStdString();
    QThread::msleep(1000);
    EXPECT_FALSE(run.Window(kConnected).isEmpty());
    EXPECT_FALSE(dir.Exists("Errorlog.txt")) << dir.Read("Errorlog.txt");

    const std::string saved = dir.Read("zebntpnl.ini");
    EXPECT_NE(
        saved.find("[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=" + port.toStdString() + "\r\n"),
        std::string::npos)
        << saved;
    EXPECT_NE(saved.find("User Name=operator\r\nPassword=bdf\r\n"), std::string::npos) << saved;

    run.Focus(run.Window(kConnected));
    run.Press("key", "alt+f");
    run.Press("key", "x");
    ASSERT_TRUE(run.panel.waitForFinished(10000)) << "File, Exit did not end the program\n"
                                                  << run.Seen();

    // The second start finds its configuration: connected, and no box at all.
    ASSERT_TRUE(run.StartPanel(dir.path()));
    bool boxSeen = false;
    const auto lookForBoxes = [&] {
        for (const char* title : {"Configuration Error", "User Login", "Intercom Keyvane Setup"}) {
            boxSeen = boxSeen || !run.Window(title).isEmpty();
        }
    };
    const bool connected = WaitFor(
        [&] {
            lookForBoxes();
            return !run.Window(kConnected).isEmpty() || run.panel.state() == QProcess::NotRunning;
        },
        30000);
    ASSERT_TRUE(connected && run.panel.state() == QProcess::Running)
        << "the second start did not connect\n"
        << run.Seen();
    QThread::msleep(1000);
    lookForBoxes();
    EXPECT_FALSE(boxSeen);
    run.Focus(run.Window(kConnected));
    run.Press("key", "alt+f");
    run.Press("key", "x");
    EXPECT_TRUE(run.panel.waitForFinished(10000)) << "File, Exit did not end the second start\n"
                                                  << run.Seen();
}

}  // namespace
