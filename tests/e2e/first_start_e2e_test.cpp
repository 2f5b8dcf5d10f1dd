#include <gtest/gtest.h>
#include <unistd.h>

#include <QStandardPaths>
#include <QThread>
#include <filesystem>
#include <set>
#include <string>

#include "desktop_session.h"
#include "temp_dir.h"

// The installed program, laid by the install rules into a staging folder and started as an
// unprivileged user with an empty home under its own X server: its command line, the first
// start (notice, first login, setup window, link) with the files in the user's folders,
// one panel per configuration, and a new start after the first was killed.

namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

std::set<std::string> FilesUnder(const fs::path& root) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_directory()) {
            files.insert(fs::relative(entry.path(), root).string());
        }
    }
    return files;
}

std::set<std::string> ExpectedFiles() {
    const std::string id = "org.keyvane.Keyvane";
    std::set<std::string> files{"bin/keyvane",
                                "bin/keyvane-help",
                                "bin/switchersim",
                                "share/keyvane/Intercom.HLP",
                                "share/applications/" + id + ".desktop",
                                "share/metainfo/" + id + ".metainfo.xml",
                                "share/icons/hicolor/scalable/apps/" + id + ".svg",
                                "share/doc/keyvane/copyright",
                                "share/doc/keyvane/changelog.gz"};
    for (const char* page : {"keyvane", "keyvane-help", "switchersim"}) {
        files.insert(std::string("share/man/man1/") + page + ".1.gz");
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string n = std::to_string(size);
        files.insert("share/icons/hicolor/" + n + "x" + n + "/apps/" + id + ".png");
    }
    return files;
}

// The permission bits; all of them for a missing file.
fs::perms Mode(const fs::path& path) {
    return fs::status(path).permissions() & fs::perms::all;
}

// Runs a program to its end: its exit code (-1 when it did not end) and what it printed.
std::pair<int, QString> RunToEnd(const QString& program, const QStringList& args,
                                 const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool ended = p.waitForFinished(20000);
    const int code = ended && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return {code, QString::fromUtf8(p.readAll())};
}

// The staged panel as an ordinary user: when the test runs as root, through setpriv as
// nobody, with a home of its own and none of the XDG folders set.
struct Launcher {
    QString program;
    QStringList prefix;
    QProcessEnvironment env;
    QStringList With(const QStringList& args) const { return prefix + args; }
};

Launcher Unprivileged(const fs::path& keyvane, const fs::path& home, QProcessEnvironment env) {
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME"}) {
        env.remove(name);
    }
    env.insert("HOME", QString::fromStdString(home.string()));
    const QString panel = QString::fromStdString(keyvane.string());
    if (::geteuid() != 0) {
        return {panel, {}, env};
    }
    ::chown(home.c_str(), kNobody, kNobody);
    const QString id = QString::number(kNobody);
    return {"setpriv", {"--reuid=" + id, "--regid=" + id, "--clear-groups", panel}, env};
}

// Whether window a lies above window b: xwininfo lists the top-level windows top down.
bool Above(const DesktopSession& run, const QString& a, const QString& b) {
    const QString stack = RunTool("xwininfo", {"-root", "-children"}, run.display());
    const auto at = [&](const QString& id) {
        return stack.indexOf("0x" + QString::number(id.toULongLong(), 16) + " ");
    };
    return at(a) >= 0 && at(a) < at(b);
}

// Notice, first login, setup with the server's address: the first start as the operator
// goes through it.
void GoThroughFirstStart(DesktopSession& run, const QString& port) {
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
}

TEST(FirstStart, InstalledPanelStartsInTheUsersFoldersOncePerConfiguration) {
    TempDir dir;
    const fs::path stage = dir.path() / "stage";
    const fs::path home = dir.path() / "home";
    const auto [installed, installLog] =
        RunToEnd(CMAKE_COMMAND, {"--install", KEYVANE_BUILD_DIR, "--prefix", stage.c_str()},
                 QProcessEnvironment::systemEnvironment());
    ASSERT_EQ(installed, 0) << installLog.toStdString();
    const std::set<std::string> laid = FilesUnder(stage);
    ASSERT_EQ(laid, ExpectedFiles());

    fs::create_directory(home);
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
    DesktopSession run;
    ASSERT_TRUE(run.StartX("1024x768x24"));
    const Launcher keyvane = Unprivileged(stage / "bin/keyvane", home, run.Environment());
    const fs::path config = home / ".config/keyvane";
    const fs::path state = home / ".local/state/keyvane";

    // The command line: answered and ended before anything is written or shown.
    const struct {
        QStringList args;
        int exit;
        std::string output;
    } calls[] = {
        {{"--version"}, 0, "keyvane " KEYVANE_VERSION "\n"},
        {{"--help"}, 0, "Configuration file: " + (config / "zebntpnl.ini").string()},
        {{"--help"}, 0, "Error log: " + (state / "Errorlog.txt").string()},
        {{"--help"}, 0, "Help file: " + (stage / "share/keyvane/Intercom.HLP").string()},
        {{"--frobnicate"}, 2, "Unknown option 'frobnicate'"},
        {{"--config"}, 2, "Missing value after '--config'"},
        {{"stray"}, 2, "Unexpected argument 'stray'"},
        {{"--control-port", "65536"}, 2, "--control-port needs a port from 0 to 65535."},
    };
    for (const auto& call : calls) {
        const auto [code, output] = RunToEnd(keyvane.program, keyvane.With(call.args), keyvane.env);
        EXPECT_EQ(code, call.exit) << call.args.join(' ').toStdString() << "\n"
                                   << output.toStdString();
        EXPECT_NE(output.toStdString().find(call.output), std::string::npos)
            << call.args.join(' ').toStdString() << " printed:\n"
            << output.toStdString();
    }
    EXPECT_FALSE(fs::exists(home / ".config")) << "the command line alone made folders";
    EXPECT_TRUE(run.Window("Configuration Error").isEmpty());

    const QString port = run.StartServer(SWITCHERSIM_BINARY, {"--trace"});
    ASSERT_FALSE(port.isEmpty()) << "the stand-in server did not start";
    ASSERT_TRUE(run.StartPanel(keyvane.program, keyvane.With({}), keyvane.env, state));
    GoThroughFirstStart(run, port);
    if (HasFatalFailure()) {
        return;
    }
    const std::string saved = TempDir::ReadFile(config / "zebntpnl.ini");
    EXPECT_NE(
        saved.find("[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=" + port.toStdString() + "\r\n"),
        std::string::npos)
        << saved;
    EXPECT_NE(saved.find("User Name=operator\r\nPassword=bdf\r\n"), std::string::npos) << saved;
    EXPECT_EQ(Mode(config / "zebntpnl.ini"), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Mode(config), fs::perms::owner_all);
    EXPECT_EQ(Mode(state), fs::perms::owner_all);
    EXPECT_FALSE(fs::exists(state / "Errorlog.txt")) << TempDir::ReadFile(state / "Errorlog.txt");
    EXPECT_EQ(FilesUnder(stage), laid) << "the panel wrote into its installation";

    // A second start on the same folder hands over to the running panel, which comes up
    // above another window, and ends.
    const QString panelWindow = run.Window(kConnected);
    QProcess other;
    other.setProcessEnvironment(run.Environment());
    other.start("xmessage", {"another window"});
    const QString otherWindow = run.WaitForWindow("xmessage", 10000);
    run.Focus(otherWindow);
    const auto [second, secondSaid] = RunToEnd(keyvane.program, keyvane.With({}), keyvane.env);
    EXPECT_EQ(second, 0) << secondSaid.toStdString();
    EXPECT_TRUE(WaitFor([&] { return Above(run, panelWindow, otherWindow); }, 5000))
        << "the running panel did not come to the front\n"
        << run.Seen();
    other.kill();
    const QStringList panels = run.X({"search", "--name", QString("^ZEB Intercom Keyvane")})
                                   .split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(panels.size(), 1) << "panel windows after the second start\n" << run.Seen();

    // A panel killed outright leaves its lock behind; the next start takes it over and
    // finds its configuration: connected, and no box at all.
    run.panel.kill();
    ASSERT_TRUE(run.panel.waitForFinished(5000));
    ASSERT_TRUE(run.StartPanel(keyvane.program, keyvane.With({}), keyvane.env, state));
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
        << "the start after the kill did not connect\n"
        << run.Seen();
    lookForBoxes();
    EXPECT_FALSE(boxSeen);
    run.FileMenu(run.Window(kConnected), "x");
    EXPECT_TRUE(run.panel.waitForFinished(10000)) << "File, Exit did not end the panel\n"
                                                  << run.Seen();

    // The installed menu entry and metadata, checked by the desktop's own tools.
    const QString share = QString::fromStdString((stage / "share").string());
    const struct {
        const char* tool;
        QStringList args;
    } checks[] = {
        {"desktop-file-validate", {share + "/applications/org.keyvane.Keyvane.desktop"}},
        {"appstreamcli",
         {"validate", "--no-net", share + "/metainfo/org.keyvane.Keyvane.metainfo.xml"}},
    };
    for (const auto& check : checks) {
        const QString tool = QStandardPaths::findExecutable(check.tool);
        if (tool.isEmpty()) {
            GTEST_SKIP() << check.tool << " is missing (scripts/deps installs it): the menu "
                         << "entry and metadata were not fully validated";
        }
        const auto [code, said] = RunToEnd(tool, check.args, run.Environment());
        EXPECT_EQ(code, 0) << check.tool << ":\n" << said.toStdString();
    }
}

}  // namespace
