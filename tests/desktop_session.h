#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>
#include <filesystem>
#include <string>

// The real programs under their own X server: an Xvfb, the stand-in server and
// the panel as child processes, all ended when the session ends.

// Runs an X client (xdotool, import) on the display and returns what it printed.
inline QString RunTool(const QString& program, const QStringList& args, const QString& display) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(10000);
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
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(3000)) {
                    p->kill();
                    p->waitForFinished(3000);
                }
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
        sim.setProcessChannelMode(QProcess::SeparateChannels);
        sim.start(binary, QStringList{"--port", "0"} + options);
        if (!sim.waitForReadyRead(5000)) {
            return {};
        }
        const QString first = QString::fromUtf8(sim.readLine()).trimmed();
        return first.startsWith("listening on 127.0.0.1:") ? first.section(':', -1) : QString();
    }

    // The server's trace so far.
    const QString& Trace() {
        trace_ += QString::fromUtf8(sim.readAllStandardOutput());
        return trace_;
    }

    // Starts the panel copied into dir from another directory: its files lie beside it.
    bool StartPanel(const std::filesystem::path& dir) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        env.remove("QT_QPA_PLATFORM");
        panel.setProcessEnvironment(env);
        panel.setWorkingDirectory(QDir::rootPath());
        panel.start(QString::fromStdString((dir / "keyvane").string()), {});
        return panel.waitForStarted(5000);
    }

    const QString& display() const { return display_; }

    QProcess sim;
    QProcess panel;

private:
    QProcess xvfb_;
    QString display_;
    QString trace_;
};
