#include "sim_server.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <utility>
#include <vector>

#include "panel_messages.h"
#include "server_messages.h"
#include "trace_format.h"

namespace sim {

namespace {

constexpr uint8_t kFloodCommand = 0xF6;

const char* ChangeVerdict(ChangeResult r) {
    switch (r) {
        case ChangeResult::OutOfRange:
            return " (ignored: station out of range)";
        case ChangeResult::UnknownCode:
            return " (ignored: unknown code)";
        case ChangeResult::Full:
            return " (ignored: output holds 64 inputs)";
        case ChangeResult::Applied:
            break;
    }
    return "";
}

}  // namespace

SimServer::SimServer(const Options& options, Switcher switcher, Print out, Print err)
    : options_(options),
      switcher_(std::move(switcher)),
      out_(std::move(out)),
      err_(std::move(err)) {
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { Accept(); });
    QObject::connect(&pollTimer_, &QTimer::timeout, &pollTimer_, [this] {
        if (!silent_) {
            Broadcast(Bytes{kPoll});
        }
    });
    QObject::connect(&typeTimer_, &QTimer::timeout, &typeTimer_, [this] {
        if (!silent_) {
            Broadcast(TypeRequest());
        }
    });
}

SimServer::~SimServer() {
    // Sockets still open or awaiting deletion must not call back into a server being torn down.
    for (QTcpSocket* socket : server_.findChildren<QTcpSocket*>()) {
        socket->disconnect();
        delete socket;
    }
}

bool SimServer::Listen(int port, std::string& error) {
    if (!server_.listen(QHostAddress::LocalHost, static_cast<quint16>(port))) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " +
                server_.errorString().toStdString();
        return false;
    }
    if (options_.pollMs > 0) {
        pollTimer_.start(options_.pollMs);
    }
    if (options_.typeMs > 0) {
        typeTimer_.start(options_.typeMs);
    }
    return true;
}

int SimServer::Port() const {
    return server_.serverPort();
}

void SimServer::Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        auto panel = std::make_shared<Panel>();
        panel->id = nextId_++;
        panel->socket = socket;
        panels_[panel->id] = panel;
        stats_.panels = static_cast<long long>(panels_.size());
        TraceEvent("+ panel " + std::to_string(panel->id) + " connected from " +
                   socket->peerAddress().toString().toStdString() + ":" +
                   std::to_string(socket->peerPort()));
        const int id = panel->id;
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, panel] { Receive(panel); });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, id] { Forget(id); });
        // Bytes may already be waiting behind the connection.
        Receive(panel);
    }
}

void SimServer::Forget(int id) {
    const auto it = panels_.find(id);
    if (it == panels_.end()) {
        return;
    }
    const std::shared_ptr<Panel> panel = it->second;
    panels_.erase(it);
    stats_.panels = static_cast<long long>(panels_.size());
    panel->open = false;
    panel->socket->deleteLater();
    TraceEvent("- panel " + std::to_string(id) + " disconnected");
}

void SimServer::Receive(const std::shared_ptr<Panel>& panel) {
    if (!panel->open) {
        return;
    }
    const QByteArray data = panel->socket->readAll();
    panel->reader.Append(reinterpret_cast<const uint8_t*>(data.constData()),
                         static_cast<std::size_t>(data.size()));
    while (panel->open) {
        const std::optional<Frame> frame = panel->reader.Next();
        if (!frame) {
            break;
        }
        Handle(*panel, *frame);
    }
}

void SimServer::Handle(Panel& panel, const Frame& frame) {
    switch (frame.kind) {
        case Frame::Kind::Stray:
            stats_.stray += static_cast<long long>(frame.bytes.size());
            Trace('<', panel, "stray " + std::to_string(frame.bytes.size()) + " bytes",
                  frame.bytes);
            return;
        case Frame::Kind::CutShort:
            ++stats_.messagesIn;
            ++stats_.bad;
            Trace('<', panel, "cut-short " + Describe(frame.bytes), frame.bytes);
            return;
        case Frame::Kind::Overflow:
            ++stats_.messagesIn;
            ++stats_.bad;
            Trace('<', panel,
                  "overlong message dropped (" + std::to_string(frame.bytes.size()) + " bytes)",
                  frame.bytes);
            return;
        case Frame::Kind::Single:
            ++stats_.messagesIn;
            HandleSingle(panel, frame.bytes);
            return;
        case Frame::Kind::Framed:
            ++stats_.messagesIn;
            HandleFramed(panel, frame.bytes);
            return;
    }
}

void SimServer::HandleSingle(Panel& panel, const Bytes& bytes) {
    Trace('<', panel, Describe(bytes), bytes);
    if (bytes[0] == kPoll && !silent_) {
        ++stats_.pollsAnswered;
        Send(panel, Bytes{kPollAnswer});
    } else if (bytes[0] == kPollAnswer) {
        ++stats_.pollAnswers;
    }
}

void SimServer::HandleFramed(Panel& panel, const Bytes& message) {
    switch (message[0]) {
        case kInfoRequest:
            AnswerInfoRequest(panel, message);
            return;
        case kCrosspointChange:
            ApplyChange(panel, message);
            return;
        case kType:
            if (IsTypeReply(message)) {
                ++stats_.typeReplies;
                Trace('<', panel, Describe(message), message);
                if (std::exchange(burst_.pending, false)) {
                    out_("burst maps=" + std::to_string(burst_.maps) +
                         " bytes=" + std::to_string(burst_.bytes) + " reply-ms=" +
                         QString::number(burst_.clock.nsecsElapsed() / 1e6, 'f', 1).toStdString() +
                         " redials=" + std::to_string(nextId_ - burst_.nextId));
                }
            } else {
                ++stats_.bad;
                Trace('<', panel, Describe(message) + " (rejected)", message);
            }
            return;
        default:
            ++stats_.bad;
            Trace('<', panel, Describe(message) + " (rejected)", message);
            return;
    }
}

void SimServer::AnswerInfoRequest(Panel& panel, const Bytes& message) {
    const std::optional<InfoRequest> request = DecodeInfoRequest(message);
    if (!request) {
        ++stats_.bad;
        Trace('<', panel, Describe(message) + " (rejected)", message);
        return;
    }
    Trace('<', panel, Describe(message), message);
    if (silent_) {
        return;
    }
    if (request->first & kWantInputNames) {
        Send(panel, AlphaTable(kInputNamesType, options_.width, switcher_));
    }
    if (request->first & kWantOutputNames) {
        Send(panel, AlphaTable(kOutputNamesType, options_.width, switcher_));
    }
    if (request->first & kWantCrosspointMap) {
        Send(panel, CrosspointMap(switcher_, 0, switcher_.Stations()));
    }
    if (request->second & kWantIcomChannel) {
        Send(panel, IcomChannelTable(switcher_.Stations()));
    }
}

void SimServer::ApplyChange(Panel& panel, const Bytes& message) {
    const std::optional<CrosspointChange> change = DecodeCrosspointChange(message);
    if (!change) {
        ++stats_.bad;
        Trace('<', panel, Describe(message) + " (rejected)", message);
        return;
    }
    const ChangeResult result = switcher_.Apply(change->code, change->input, change->output);
    Trace('<', panel, Describe(message) + ChangeVerdict(result), message);
    if (result != ChangeResult::Applied) {
        ++stats_.ignored;
        return;
    }
    ++stats_.changes;
    if (!silent_) {
        BroadcastOutput(change->output);
    }
}

void SimServer::Send(Panel& panel, const Bytes& bytes, const std::string& description) {
    if (!panel.open) {
        return;
    }
    Trace('>', panel, description.empty() ? Describe(bytes) : description, bytes);
    panel.socket->write(reinterpret_cast<const char*>(bytes.data()),
                        static_cast<qint64>(bytes.size()));
}

void SimServer::Broadcast(const Bytes& bytes, const std::string& description) {
    std::vector<std::shared_ptr<Panel>> targets;
    for (const auto& [id, panel] : panels_) {
        targets.push_back(panel);
    }
    for (const auto& panel : targets) {
        Send(*panel, bytes, description);
    }
}

void SimServer::BroadcastOutput(int output) {
    Broadcast(CrosspointMap(switcher_, output, 1));
}

void SimServer::RunChange(const Command& c, int code) {
    const ChangeResult result = switcher_.Apply(code, c.station, c.output);
    if (result == ChangeResult::OutOfRange) {
        err_("error: station and output must be 0 to " + std::to_string(switcher_.Stations() - 1));
        return;
    }
    if (result == ChangeResult::Full) {
        err_("error: output " + std::to_string(c.output) + " already holds 64 inputs");
        return;
    }
    BroadcastOutput(c.output);
}

void SimServer::RunBurst(long long maps) {
    Bytes bytes;
    for (long long i = 0; i < maps; ++i) {
        const Bytes block = CrosspointMap(switcher_, static_cast<int>(i % switcher_.Stations()), 1);
        bytes.insert(bytes.end(), block.begin(), block.end());
    }
    const Bytes type = TypeRequest();
    bytes.insert(bytes.end(), type.begin(), type.end());
    burst_.pending = true;
    burst_.maps = maps;
    burst_.bytes = bytes.size();
    burst_.nextId = nextId_;
    burst_.clock.start();
    Broadcast(bytes, "burst of " + std::to_string(maps) + " maps and a type request");
}

void SimServer::Run(const Command& c) {
    switch (c.kind) {
        case Command::Kind::Call:
            RunChange(c, kMakeTalk);
            return;
        case Command::Kind::Hangup:
            RunChange(c, kBreakTalk);
            return;
        case Command::Kind::Clear:
            if (!switcher_.Clear(c.output)) {
                err_("error: output must be 0 to " + std::to_string(switcher_.Stations() - 1));
                return;
            }
            BroadcastOutput(c.output);
            return;
        case Command::Kind::NotConnected:
            Broadcast(Bytes{kNotConnected});
            return;
        case Command::Kind::Silent:
            silent_ = c.on;
            return;
        case Command::Kind::Drop: {
            std::vector<std::shared_ptr<Panel>> targets;
            for (const auto& [id, panel] : panels_) {
                targets.push_back(panel);
            }
            for (const auto& panel : targets) {
                panel->socket->disconnectFromHost();
                Forget(panel->id);
            }
            return;
        }
        case Command::Kind::Garbage:
            Broadcast(c.bytes, "garbage " + std::to_string(c.bytes.size()) + " bytes");
            return;
        case Command::Kind::Flood: {
            Bytes flood(static_cast<std::size_t>(c.count) + 1);
            flood[0] = kFloodCommand;
            for (std::size_t i = 1; i < flood.size(); ++i) {
                flood[i] = static_cast<uint8_t>(i & 0x7F);
            }
            Broadcast(flood, "flood " + std::to_string(c.count) + " data bytes");
            return;
        }
        case Command::Kind::Burst:
            RunBurst(c.count);
            return;
        case Command::Kind::Map:
            Broadcast(CrosspointMap(switcher_, 0, switcher_.Stations()));
            return;
        case Command::Kind::Stats:
            out_(FormatStats(stats_));
            return;
        case Command::Kind::None:
        case Command::Kind::Wait:
        case Command::Kind::Quit:
            return;
    }
}

void SimServer::Trace(char direction, const Panel& panel, const std::string& description,
                      const Bytes& bytes) {
    if (options_.trace) {
        out_(TraceLine(direction, panel.id, description, bytes));
    }
}

void SimServer::TraceEvent(const std::string& line) {
    if (options_.trace) {
        out_(line);
    }
}

}  // namespace sim
