#include <gtest/gtest.h>
#include <QRegularExpression>
#include <QThread>
#include <filesystem>

#include "desktop_session.h"
#include "temp_dir.h"

// The first start of the real program in an empty directory, under its own X server,
// against the stand-in server: the notice, the first login, the setup window, the link;
// then a second start that finds its configuration.

namespace {

class Desktop {
public:
    explicit Desktop(QString display) : display_(std::move(display)) {}

    // The first window whose whole title is this text; empty when there is none.
    QString Window(const QString& title) const {
        return RunTool("xdotool",
                       {"search", "--name", "^" + QRegularExpression::escape(title) + "$"},
                       display_)
            .section('\n', 0, 0)
            .trimmed();
    }
    // Generous: right after a build the machine may still be busy.
    QString WaitForWindow(const QString& title, int ms = 30000) const {
        QString id;
        WaitFor(
            [&] {
                id = Window(title);
                return !id.isEmpty();
            },
            ms);
        return id;
    }
    void Focus(const QString& window) const {
        RunTool("xdotool", {"windowfocus", "--sync", window}, display_);
    }
    void Key(const QString& keys) const {
        RunTool("xdotool", {"key", "--delay", "50", keys}, display_);
        QThread::msleep(150);
    }
    void Type(const QString& text) const {
        RunTool("xdotool", {"type", "--delay", "50", text}, display_);
        QThread::msleep(150);
    }

private:
    QString display_;
};

const char* const kConnected = "ZEB Intercom Keyvane - Connected";

TEST(FirstStart, NoticeLoginSetupThenConnectedAndASecondStartNeedsNothing) {
    TempDir dir;
    DesktopSession run;
    ASSERT_TRUE(run.StartX("1024x768x24"));
    const Desktop desk(run.display());
    const QString port = run.StartServer(SWITCHERSIM_BINARY, {"--trace"});
    ASSERT_FALSE(port.isEmpty()) << "the stand-in server did not start";

    // The program alone with its help viewer and help file.
    std::filesystem::copy_file(KEYVANE_BINARY, dir.path() / "keyvane");
    std::filesystem::copy_file(KEYVANE_HELP_BINARY, dir.path() / "keyvane-help");
    std::filesystem::copy_file(KEYVANE_HELP_FILE, dir.path() / "Intercom.HLP");
    ASSERT_TRUE(run.StartPanel(dir.path()));

    const QString notice = desk.WaitForWindow("Configuration Error");
    ASSERT_FALSE(notice.isEmpty()) << "no first-start notice";
    EXPECT_TRUE(desk.Window(kConnected).isEmpty());
    desk.Focus(notice);
    desk.Key("Return");

    const QString login = desk.WaitForWindow("User Login");
    ASSERT_FALSE(login.isEmpty()) << "no first login";
    desk.Focus(login);
    desk.Key("Escape");  // Cancel is disabled at the first entry
    QThread::msleep(500);
    ASSERT_FALSE(desk.Window("User Login").isEmpty()) << "the first login could be cancelled";
    EXPECT_TRUE(desk.Window("Intercom Keyvane Setup").isEmpty());
    desk.Focus(login);
    desk.Type("operator");
    desk.Key("Tab");
    desk.Type("abc");
    desk.Key("Return");

    const QString setup = desk.WaitForWindow("Intercom Keyvane Setup");
    ASSERT_FALSE(setup.isEmpty()) << "no setup window after the login";
    EXPECT_TRUE(desk.Window("User Login").isEmpty());
    EXPECT_FALSE(run.Trace().contains("poll")) << "a connection before the setup window's Ok";
    desk.Focus(setup);
    desk.Key("ctrl+a");
    desk.Type("127.0.0.1");
    desk.Key("Tab");
    desk.Key("ctrl+a");
    desk.Type(port);
    desk.Key("Return");

    ASSERT_FALSE(desk.WaitForWindow(kConnected).isEmpty()) << "the panel never connected";
    EXPECT_TRUE(desk.Window("Intercom Keyvane Setup").isEmpty());
    // Both station name tables reach the panel, which stays connected without an error.
    EXPECT_TRUE(WaitFor(
        [&] {
            return run.Trace().contains("alpha-table type=10") &&
                   run.Trace().contains("alpha-table type=20");
        },
        10000))
        << run.Trace().toStdString();
    QThread::msleep(1000);
    EXPECT_FALSE(desk.Window(kConnected).isEmpty());
    EXPECT_FALSE(dir.Exists("Errorlog.txt")) << dir.Read("Errorlog.txt");

    const std::string saved = dir.Read("zebntpnl.ini");
    EXPECT_NE(
        saved.find("[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=" + port.toStdString() + "\r\n"),
        std::string::npos)
        << saved;
    EXPECT_NE(saved.find("User Name=operator\r\nPassword=bdf\r\n"), std::string::npos) << saved;

    const QString panelWindow = desk.Window(kConnected);
    desk.Focus(panelWindow);
    desk.Key("alt+f");
    desk.Key("x");
    ASSERT_TRUE(run.panel.waitForFinished(10000)) << "File, Exit did not end the program";

    // The second start finds its configuration: connected, and no box at all.
    ASSERT_TRUE(run.StartPanel(dir.path()));
    bool boxSeen = false;
    const bool connected = WaitFor(
        [&] {
            for (const char* title :
                 {"Configuration Error", "User Login", "Intercom Keyvane Setup"}) {
                boxSeen = boxSeen || !desk.Window(title).isEmpty();
            }
            return !desk.Window(kConnected).isEmpty();
        },
        30000);
    EXPECT_TRUE(connected) << "the second start did not connect";
    QThread::msleep(1000);
    for (const char* title : {"Configuration Error", "User Login", "Intercom Keyvane Setup"}) {
        boxSeen = boxSeen || !desk.Window(title).isEmpty();
    }
    EXPECT_FALSE(boxSeen);
    const QString again = desk.Window(kConnected);
    desk.Focus(again);
    desk.Key("alt+f");
    desk.Key("x");
    EXPECT_TRUE(run.panel.waitForFinished(10000));
}

}  // namespace
