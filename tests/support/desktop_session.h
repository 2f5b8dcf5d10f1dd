#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QThread>
#include <algorithm>
#include <filesystem>
#include <string>

#include "temp_dir.h"

// The real programs under their own X server: an Xvfb, the stand-in server and
// the panel as child processes, all ended when the session ends.

inline const char* const kConnected = "ZEB Intercom Keyvane - Connected";  // the panel's caption

// Runs an X client (xdotool, import) on the display and returns what it printed.
inline QString RunTool(const QString& program, const QStringList& args, const QString& display,
                       int ms = 10000) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(ms);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Processes events until pred holds or ms have passed; false on the deadline.
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

class DesktopSession {
public:
    DesktopSession() = default;
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;
    ~DesktopSession() {
        for (QProcess* p : {&panel, &sim, &xvfb_}) {
            p->terminate();
            if (p->state() != QProcess::NotRunning && !p->waitForFinished(3000)) {
                p->kill();
                p->waitForFinished(3000);
            }
        }
    }

    // Xvfb picks a free display itself, so sessions cannot collide. -noreset: no desktop
    // session holds the display, and a reset drops a panel still connecting to it.
    bool StartX(const QString& screen) {
        xvfb_.start("Xvfb",
                    {"-displayfd", "1", "-noreset", "-screen", "0", screen, "-nolisten", "tcp"});
        WaitFor([&] { return xvfb_.canReadLine() || xvfb_.state() == QProcess::NotRunning; },
                10000);
        const QString number = QString::fromUtf8(xvfb_.readLine()).trimmed();
        display_ = ":" + number;
        return !number.isEmpty();
    }

    // Starts the stand-in server on a free port with these options; its port, or empty.
    QString StartServer(const QString& binary, const QStringList& options) {
        sim.start(binary, QStringList{"--port", "0"} + options);
        sim.waitForReadyRead(5000);
        const QString first = QString::fromUtf8(sim.readLine()).trimmed();
        return first.startsWith("listening on 127.0.0.1:") ? first.section(':', -1) : QString();
    }

    // The server's trace so far.
    const QString& Trace() {
        trace_ += QString::fromUtf8(sim.readAllStandardOutput());
        return trace_;
    }
    // The crosspoint changes of this code (37 make, 33 break) to output 4 from any input.
    int Sent(int code) {
        return Trace().count(
            QRegularExpression(QString("crosspoint-change code=%1 in=\\d+ out=4 ").arg(code)));
    }

    // Starts program (the panel, or a launcher of it) with these arguments and environment;
    // logDir holds the panel's error log.
    bool StartPanel(const QString& program, const QStringList& args, const QProcessEnvironment& env,
                    const std::filesystem::path& logDir) {
        panelDir_ = logDir;
        panelErr_ += QString::fromUtf8(panel.readAllStandardError());  // a start clears it
        panel.setProcessEnvironment(env);
        panel.setWorkingDirectory(QString::fromStdString(elsewhere.path().string()));
        panel.start(program, args);
        return panel.waitForStarted(5000);
    }

    // The X server, the stand-in server (with these options) and the panel copied into dir
    // beside its zebntpnl.ini (key 0 talks to station 4, AUDIO; Stay On Top off; more lines
    // of [CONFIG]) and its keyvane.conf, when given; true once it shows itself connected and
    // has its tables in. port is the server's.
    bool StartTalkPanel(const TempDir& dir, const std::string& config = "Output=3\r\nInput=4\r\n",
                        const std::string& conf = {}, const QStringList& args = {},
                        const QProcessEnvironment& env = {},
                        const QStringList& server = {"--trace", "--type-ms", "0"}) {
        if (!StartX("800x600x24") || (port = StartServer(SWITCHERSIM_BINARY, server)).isEmpty()) {
            return false;
        }
        dir.Write("zebntpnl.ini",
                  "[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=" + port.toStdString() +
                      "\r\n[CONFIG]\r\nStay On Top=No\r\n" + config +
                      "[BUTTON 0]\r\nType=2\r\nFirst=5\r\nLine 1=Audio\r\n"
                      "Line 2=Talk\r\n");
        if (!conf.empty()) {
            dir.Write("keyvane.conf", conf);
        }
        std::filesystem::copy_file(KEYVANE_BINARY, dir.path() / "keyvane");
        QProcessEnvironment panelEnv = Environment();
        panelEnv.insert(env);
        return StartPanel(QString::fromStdString((dir.path() / "keyvane").string()), args, panelEnv,
                          dir.path()) &&
               !WaitForWindow(kConnected).isEmpty() &&
               WaitFor([&] { return Trace().contains("crosspoint-map"); }, 10000);
    }

    // This process's environment for a program on the session's display.
    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        env.remove("QT_QPA_PLATFORM");
        return env;
    }

    // The first window whose whole title is this text; empty when there is none.
    QString Window(const QString& title) const {
        const QString pattern = "^" + QRegularExpression::escape(title) + "$";
        return X({"search", "--name", pattern}).section('\n', 0, 0).trimmed();
    }
    // Generous: right after a build the machine may still be busy. An ended panel shows
    // no more windows: then it gives up at once.
    QString WaitForWindow(const QString& title, int ms = 30000) const {
        QString id;
        WaitFor(
            [&] {
                id = Window(title);
                return !id.isEmpty() || panel.state() == QProcess::NotRunning;
            },
            ms);
        return id;
    }
    QString X(const QStringList& xdotool) const { return RunTool("xdotool", xdotool, display_); }
    void Focus(const QString& window) const { X({"windowfocus", "--sync", window}); }
    // xdotool key or type, 50 ms apart, then a moment for the program to follow.
    void Press(const char* how, const QString& what) const {
        X({how, "--delay", "50", what});
        QThread::msleep(150);
    }
    // The entry of this letter in the File menu of the window.
    void FileMenu(const QString& window, const QString& letter) const {
        Focus(window);
        Press("key", "alt+f");
        Press("key", letter);
    }

    // What the desktop held when a wait gave up, for the failure message: the windows
    // on the screen, what the panel is doing and said, the server's last words.
    std::string Seen() {
        QString r = "windows shown:\n" +
                    X({"search", "--onlyvisible", "--name", ".", "getwindowname", "%@"});
        r += xvfb_.state() == QProcess::NotRunning ? "X server ended: " : "X server running: ";
        r += QString::fromUtf8(xvfb_.readAllStandardError()).right(500) + "\n";
        if (panel.state() == QProcess::NotRunning) {
            r += QString("panel ended, exit code %1\n").arg(panel.exitCode());
        } else {
            const QString pid = QString::number(panel.processId());
            r += "panel running, pid " + pid + ", waiting in " +
                 FileText("/proc/" + pid + "/wchan") + "\n";
            // Its main thread's stack says where it waits.
            const QString stack =
                RunTool("gdb", {"-p", pid, "-batch", "-nx", "-ex", "bt 25"}, display_, 30000);
            for (const QString& line : stack.split('\n')) {
                r += line.startsWith('#') ? line.left(200) + "\n" : QString();
            }
        }
        panelErr_ += QString::fromUtf8(panel.readAllStandardError());
        r += "panel standard error:\n" + panelErr_.right(3000) + "\n";
        const QStringList trace = Trace().split('\n');
        r += "switchersim trace, last lines:\n";
        for (const QString& line : trace.mid(std::max<qsizetype>(0, trace.size() - 25))) {
            r += line.left(160) + "\n";
        }
        r +=
            "error log: " + FileText(QString::fromStdString((panelDir_ / "Errorlog.txt").string()));
        return r.toStdString();
    }

    const QString& display() const { return display_; }

    QProcess sim;
    QProcess panel;
    QString port;
    // The panel's working directory: a panel that writes beside it, not beside itself, shows
    // here.
    TempDir elsewhere;

private:
    static QString FileText(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : "(none)";
    }

    QProcess xvfb_;
    QString display_;
    QString trace_;
    QString panelErr_;
    std::filesystem::path panelDir_;
};
