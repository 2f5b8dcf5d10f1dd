#pragma once

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "command.h"
#include "frame_reader.h"
#include "options.h"
#include "stats.h"
#include "switcher.h"

class QTcpSocket;

// The TCP side of the server: accepts panels, answers their messages, polls
// them, and carries out operator commands. Runs on the Qt event loop.

namespace sim {

class SimServer {
public:
    using Print = std::function<void(const std::string&)>;

    // out receives stats and trace lines, err the error lines of commands.
    SimServer(const Options& options, Switcher switcher, Print out, Print err);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Listens on 127.0.0.1; false with the reason in error.
    bool Listen(int port, std::string& error);
    int Port() const;
    // Every command but wait and quit, which belong to the command source.
    void Run(const Command& command);
    const Stats& Counters() const { return stats_; }
    const Switcher& State() const { return switcher_; }

private:
    struct Panel {
        int id = 0;
        QTcpSocket* socket = nullptr;
        FrameReader reader;
        bool open = true;
    };

    void Accept();
    void Receive(const std::shared_ptr<Panel>& panel);
    void Handle(Panel& panel, const Frame& frame);
    void HandleSingle(Panel& panel, const Bytes& bytes);
    void HandleFramed(Panel& panel, const Bytes& message);
    void AnswerInfoRequest(Panel& panel, const Bytes& message);
    void ApplyChange(Panel& panel, const Bytes& message);
    void Send(Panel& panel, const Bytes& bytes, const std::string& description = {});
    void Broadcast(const Bytes& bytes, const std::string& description = {});
    void BroadcastOutput(int output);
    void Forget(int id);
    void Trace(char direction, const Panel& panel, const std::string& description,
               const Bytes& bytes);
    void TraceEvent(const std::string& line);
    void RunChange(const Command& command, int code);
    void RunBurst(long long maps);

    Options options_;
    Switcher switcher_;
    Print out_;
    Print err_;
    QTcpServer server_;
    QTimer pollTimer_;
    QTimer typeTimer_;
    std::map<int, std::shared_ptr<Panel>> panels_;
    int nextId_ = 1;
    bool silent_ = false;
    // The last burst, timed until the next type reply from any panel (it may have redialled).
    struct Burst {
        bool pending = false;
        long long maps = 0;
        std::size_t bytes = 0;
        int nextId = 0;  // panel ids from here on connected after the burst
        QElapsedTimer clock;
    } burst_;
    Stats stats_;
};

}  // namespace sim
