#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <map>
#include <string>

#include "panel/panel_snapshot.h"
#include "remote/lease_book.h"
#include "remote/remote_panel.h"

class QTcpServer;
class QTcpSocket;
class QWebSocket;
class QWebSocketServer;

namespace kv::remote {

struct ServerOptions {
    QHostAddress Address{QHostAddress::LocalHost};
    quint16 Port = 0;  // 0: a free one
    std::chrono::seconds Lease{20};
    std::string Token;
};

// The control API on a TCP port: HTTP requests through the router, /v1/events handed to a
// WebSocket server once checked. Each WebSocket holds as a client of its own and lets go
// when it closes, or when it stops answering pings (a cut cable closes nothing); HTTP holds
// end with their lease.
class RemoteServer : public QObject {
public:
    explicit RemoteServer(RemotePanel& panel, QObject* parent = nullptr);
    ~RemoteServer() override;

    bool Start(const ServerOptions& options, QString& reason);
    // Closes every connection; every remote hold is let go, its break on the wire.
    void Stop();
    bool Listening() const;
    // A new token: later requests need it; open WebSockets stay.
    void SetToken(std::string token) { options_.Token = std::move(token); }
    quint16 Port() const;
    QString Url() const;  // http://ADDRESS:PORT/

    // After each render of the panel: each WebSocket hears of what changed for it.
    void PanelRendered();

private:
    void Accept();
    void AcceptSocket();
    void Upgrade(QTcpSocket* socket);
    void ArmLeases();
    void ExpireNow();

    RemotePanel& panel_;
    ServerOptions options_;
    std::string ownHost_;
    QTcpServer* tcp_;
    QWebSocketServer* sockets_;
    LeaseBook leases_;
    QTimer leaseTimer_{this};
    QTimer pingTimer_{this};
    int open_ = 0;  // accepted TCP connections still alive, HTTP or WebSocket
    uint32_t nextHolder_;
    struct Client {
        uint32_t Holder;
        std::optional<PanelSnapshot> Sent;
        bool Answered = true;  // heard from since the last ping
    };
    void PingClients();
    std::map<QWebSocket*, Client> clients_;
};

}  // namespace kv::remote
