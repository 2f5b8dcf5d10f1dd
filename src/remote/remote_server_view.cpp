#include "remote/remote_server_view.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QWebSocket>
#include <QWebSocketServer>

#include "remote/http_connection_view.h"
#include "remote/panel_json.h"
#include "remote/router.h"

namespace kv::remote {
namespace {

constexpr int kMostConnections = 32;
constexpr quint64 kLargestMessage = 4 * 1024;
constexpr int kPingMs = 10'000;

bool IsWildcardOrLoopback(const QHostAddress& address) {
    return address.isLoopback() || address == QHostAddress::Any ||
           address == QHostAddress::AnyIPv4 || address == QHostAddress::AnyIPv6;
}

}  // namespace

RemoteServer::RemoteServer(RemotePanel& panel, QObject* parent)
    : QObject(parent),
      panel_(panel),
      tcp_(new QTcpServer(this)),
      sockets_(
          new QWebSocketServer(QStringLiteral("keyvane"), QWebSocketServer::NonSecureMode, this)),
      nextHolder_(kFirstSocketHolder) {
    leaseTimer_.setSingleShot(true);
    connect(&leaseTimer_, &QTimer::timeout, this, &RemoteServer::ExpireNow);
    pingTimer_.setInterval(kPingMs);
    connect(&pingTimer_, &QTimer::timeout, this, &RemoteServer::PingClients);
    connect(tcp_, &QTcpServer::newConnection, this, &RemoteServer::Accept);
    connect(sockets_, &QWebSocketServer::newConnection, this, &RemoteServer::AcceptSocket);
}

RemoteServer::~RemoteServer() {
    Stop();
}

bool RemoteServer::Start(const ServerOptions& options, QString& reason) {
    Stop();
    options_ = options;
    // An address the operator named is a Host the clients may use besides loopback.
    ownHost_ = IsWildcardOrLoopback(options.Address)
                   ? std::string()
                   : (options.Address.protocol() == QAbstractSocket::IPv6Protocol
                          ? "[" + options.Address.toString().toStdString() + "]"
                          : options.Address.toString().toStdString());
    if (options_.Token.empty()) {
        reason = QStringLiteral("no control token");
        return false;
    }
    if (!tcp_->listen(options.Address, options.Port)) {
        reason = QStringLiteral("cannot listen on %1 port %2: %3")
                     .arg(options.Address.toString())
                     .arg(options.Port)
                     .arg(tcp_->errorString());
        return false;
    }
    return true;
}

void RemoteServer::Stop() {
    tcp_->close();
    for (QTcpSocket* socket : tcp_->findChildren<QTcpSocket*>()) {
        socket->abort();
    }
    const std::map<QWebSocket*, Client> clients = std::move(clients_);
    clients_.clear();
    for (const auto& [socket, client] : clients) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
        panel_.ReleaseHolder(client.Holder);
    }
    leaseTimer_.stop();
    pingTimer_.stop();
    leases_ = LeaseBook();
    panel_.ReleaseHolder(kHttpHolder);
}

bool RemoteServer::Listening() const {
    return tcp_->isListening();
}

quint16 RemoteServer::Port() const {
    return tcp_->serverPort();
}

QString RemoteServer::Url() const {
    const QHostAddress address = tcp_->serverAddress();
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QLatin1Char('[') + address.toString() + QLatin1Char(']')
                             : address.toString();
    return QStringLiteral("http://%1:%2/").arg(host).arg(Port());
}

void RemoteServer::Accept() {
    while (QTcpSocket* socket = tcp_->nextPendingConnection()) {
        if (open_ >= kMostConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++open_;
        connect(socket, &QObject::destroyed, this, [this] { --open_; });
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        new HttpConnection(
            socket,
            [this](const HttpRequest& request) {
                const RouteSetup setup{options_.Token, ownHost_, options_.Lease, LeaseClock::now()};
                Reply reply = Route(request, panel_, leases_, setup);
                ArmLeases();
                return reply;
            },
            [this](QTcpSocket* s) { Upgrade(s); }, this);
    }
}

void RemoteServer::Upgrade(QTcpSocket* socket) {
    // The socket server owns the socket from here, whether the handshake succeeds or not.
    socket->setParent(nullptr);
    sockets_->handleConnection(socket);
}

void RemoteServer::AcceptSocket() {
    while (QWebSocket* socket = sockets_->nextPendingConnection()) {
        socket->setParent(this);
        if (!tcp_->isListening()) {  // its handshake ended after the API was turned off
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->setMaxAllowedIncomingFrameSize(kLargestMessage);
        socket->setMaxAllowedIncomingMessageSize(kLargestMessage);
        const uint32_t holder = nextHolder_++;
        if (nextHolder_ < kFirstSocketHolder) {
            nextHolder_ = kFirstSocketHolder;
        }
        const PanelSnapshot now = panel_.Snapshot();
        clients_[socket] = Client{holder, now};
        connect(socket, &QWebSocket::textMessageReceived, this,
                [this, socket](const QString& text) {
                    const auto it = clients_.find(socket);
                    if (it == clients_.end()) {
                        return;
                    }
                    const std::string error =
                        SocketMessage(text.toStdString(), panel_, it->second.Holder);
                    if (!error.empty()) {
                        socket->sendTextMessage(QString::fromStdString(error));
                    }
                });
        connect(socket, &QWebSocket::pong, this, [this, socket] {
            if (const auto it = clients_.find(socket); it != clients_.end()) {
                it->second.Answered = true;
            }
        });
        connect(socket, &QWebSocket::binaryMessageReceived, this, [socket] {
            socket->sendTextMessage(QString::fromStdString(ErrorJson("send text messages")));
        });
        connect(socket, &QWebSocket::disconnected, this, [this, socket] {
            const auto it = clients_.find(socket);
            if (it != clients_.end()) {
                const uint32_t gone = it->second.Holder;
                clients_.erase(it);
                panel_.ReleaseHolder(gone);
            }
            if (clients_.empty()) {
                pingTimer_.stop();
            }
            socket->deleteLater();
        });
        socket->sendTextMessage(QString::fromStdString(PanelJson(now)));
        if (!pingTimer_.isActive()) {
            pingTimer_.start();
        }
    }
}

void RemoteServer::PingClients() {
    std::vector<QWebSocket*> silent;
    for (auto& [socket, client] : clients_) {
        if (!client.Answered) {
            silent.push_back(socket);
        } else {
            client.Answered = false;
            socket->ping();
        }
    }
    for (QWebSocket* socket : silent) {
        socket->abort();  // its disconnected signal lets go of what it held
    }
}

void RemoteServer::PanelRendered() {
    if (clients_.empty()) {
        return;  // nobody listens: an idle panel takes no snapshots
    }
    const PanelSnapshot now = panel_.Snapshot();
    std::vector<QWebSocket*> behind;
    for (auto& [socket, client] : clients_) {
        if (client.Sent != now) {
            client.Sent = now;
            behind.push_back(socket);
        }
    }
    if (behind.empty()) {
        return;
    }
    const QString json = QString::fromStdString(PanelJson(now));
    for (QWebSocket* socket : behind) {
        socket->sendTextMessage(json);
    }
}

void RemoteServer::ArmLeases() {
    const std::optional<LeaseTime> next = leases_.NextExpiry();
    if (!next) {
        leaseTimer_.stop();
        return;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - LeaseClock::now());
    leaseTimer_.start(std::max<std::chrono::milliseconds>(wait, std::chrono::milliseconds(0)));
}

void RemoteServer::ExpireNow() {
    ExpireLeases(panel_, leases_, LeaseClock::now());
    ArmLeases();
}

}  // namespace kv::remote
