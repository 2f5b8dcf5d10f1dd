#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <filesystem>

#include "temp_dir.h"

// The first start of the real program in an empty directory, under its own X server,
// against the stand-in server: the notice, the first login, the setup window, the link;
// then a second start that finds its configuration.

namespace {

QString RunTool(const QString& program, const QStringList& args, const QString& display) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

template <class Pred>
bool WaitFor(Pred pred, int ms) {
    QElapsedTimer t;
    t.start();
    while (!pred()) {
        if (t.elapsed() > ms) {
            return false;
        }
        QCoreApplication::processEvents();
        QThread::msleep(50);
    }
    return true;
}

struct Processes {
    QProcess xvfb, sim, panel;
    ~Processes() {
        for (QProcess* p : {&panel, &sim, &xvfb}) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(3000)) {
                    p->kill();
                    p->waitForFinished(3000);
                }
            }
        }
    }
};

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
    QString WaitForWindow(const QString& title, int ms = 15000) const {
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

void StartPanel(QProcess& panel, const std::filesystem::path& dir, const QString& display) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    env.remove("QT_QPA_PLATFORM");
    panel.setProcessEnvironment(env);
    panel.setWorkingDirectory(QDir::rootPath());  // its files lie beside it, not here
    panel.start(QString::fromStdString((dir / "keyvane").string()), {});
}

const char* const kConnected = "ZEB Intercom Keyvane - Connected";

TEST(FirstStart, NoticeLoginSetupThenConnectedAndASecondStartNeedsNothing) {
    TempDir dir;
    Processes run;

    int number = 300 + static_cast<int>(QCoreApplication::applicationPid() % 300);
    while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))) {
        ++number;
    }
    const QString display = QString(":%1").arg(number);
    run.xvfb.start("Xvfb", {display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    ASSERT_TRUE(WaitFor(
        [&] { return std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)); },
        10000));
    const Desktop desk(display);

    run.sim.setProcessChannelMode(QProcess::SeparateChannels);
    run.sim.start(SWITCHERSIM_BINARY, {"--port", "0", "--trace"});
    ASSERT_TRUE(run.sim.waitForReadyRead(5000));
    const QString first = QString::fromUtf8(run.sim.readLine()).trimmed();
    ASSERT_TRUE(first.startsWith("listening on 127.0.0.1:")) << first.toStdString();
    const QString port = first.section(':', -1);
    QString trace;
    const auto readTrace = [&] { trace += QString::fromUtf8(run.sim.readAllStandardOutput()); };

    // The program alone with its help viewer and help file.
    std::filesystem::copy_file(KEYVANE_BINARY, dir.path() / "keyvane");
    std::filesystem::copy_file(KEYVANE_HELP_BINARY, dir.path() / "keyvane-help");
    std::filesystem::copy_file(KEYVANE_HELP_FILE, dir.path() / "Intercom.HLP");
    StartPanel(run.panel, dir.path(), display);
    ASSERT_TRUE(run.panel.waitForStarted(5000));

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
    readTrace();
    EXPECT_FALSE(trace.contains("poll")) << "a connection before the setup window's Ok";
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
            readTrace();
            return trace.contains("alpha-table type=10") && trace.contains("alpha-table type=20");
        },
        10000))
        << trace.toStdString();
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
    StartPanel(run.panel, dir.path(), display);
    ASSERT_TRUE(run.panel.waitForStarted(5000));
    bool boxSeen = false;
    const bool connected = WaitFor(
        [&] {
            for (const char* title :
                 {"Configuration Error", "User Login", "Intercom Keyvane Setup"}) {
                boxSeen = boxSeen || !desk.Window(title).isEmpty();
            }
            return !desk.Window(kConnected).isEmpty();
        },
        15000);
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
