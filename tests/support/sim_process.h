#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

// A switchersim child process for tests: started on a free port, its standard
// output collected line by line while the event loop runs.

namespace simtest {

// Runs the event loop until done() holds or ms have passed; true when it held.
inline bool WaitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

class SimProcess {
public:
    explicit SimProcess(QStringList args) {
        process_.setProgram(QStringLiteral(SWITCHERSIM_PATH));
        process_.setArguments(QStringList{"--port", "0"} + args);
        QObject::connect(&process_, &QProcess::readyReadStandardOutput, &process_,
                         [this] { Collect(); });
        process_.start();
        started_ = process_.waitForStarted(5000) &&
                   WaitUntil([this] { return !lines_.empty() || !Running(); }, 5000);
        const std::string prefix = "listening on 127.0.0.1:";
        if (started_ && lines_[0].rfind(prefix, 0) == 0) {
            port_ = std::stoi(lines_[0].substr(prefix.size()));
        }
    }
    ~SimProcess() {
        if (Running()) {
            process_.write("quit\n");
            if (!process_.waitForFinished(3000)) {
                process_.kill();
                process_.waitForFinished(3000);
            }
        }
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    int Port() const { return port_; }
    bool Running() const { return process_.state() != QProcess::NotRunning; }
    void Command(const std::string& line) { process_.write((line + "\n").c_str()); }
    const std::vector<std::string>& Lines() const { return lines_; }

    // The first line from index `from` on that contains text; empty when none came in time.
    std::string WaitForLine(const std::string& text, int ms, std::size_t from = 0) {
        std::string found;
        WaitUntil(
            [&] {
                for (std::size_t i = from; i < lines_.size(); ++i) {
                    if (lines_[i].find(text) != std::string::npos) {
                        found = lines_[i];
                        return true;
                    }
                }
                return false;
            },
            ms);
        return found;
    }
    // Asks for stats and returns the line it prints.
    std::string Stats() {
        const std::size_t from = lines_.size();
        Command("stats");
        return WaitForLine("stats panels=", 3000, from);
    }
    std::string Stderr() {
        errors_ += process_.readAllStandardError().toStdString();
        return errors_;
    }
    QProcess& Process() { return process_; }

private:
    void Collect() {
        partial_ += process_.readAllStandardOutput().toStdString();
        std::size_t end;
        while ((end = partial_.find('\n')) != std::string::npos) {
            lines_.push_back(partial_.substr(0, end));
            partial_.erase(0, end + 1);
        }
    }

    QProcess process_;
    bool started_ = false;
    int port_ = -1;
    std::vector<std::string> lines_;
    std::string partial_;
    std::string errors_;
};

}  // namespace simtest
