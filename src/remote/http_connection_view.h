#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "remote/http_request.h"
#include "remote/http_response.h"

class QTcpSocket;

namespace kv::remote {

// One client connection of the control API: requests read as they arrive (peeked, so a
// WebSocket handshake stays in the socket for the socket server to read), answered in
// order, kept alive unless the client says otherwise. A client that stalls in the middle
// of a request, or idles, is dropped.
class HttpConnection : public QObject {
public:
    using Handler = std::function<Reply(const HttpRequest&)>;
    // Hands the socket, its handshake still unread, to whoever answers WebSockets.
    using Upgrader = std::function<void(QTcpSocket*)>;

    HttpConnection(QTcpSocket* socket, Handler handler, Upgrader upgrader,
                   QObject* parent = nullptr);

private:
    void Process();
    void Send(const Reply& reply, bool keepAlive);
    void Arm();

    QTcpSocket* socket_;
    Handler handler_;
    Upgrader upgrader_;
    RequestReader reader_;
    QTimer patience_{this};
    bool started_ = false;  // a request has begun: its deadline runs
    bool processing_ = false;
    bool closing_ = false;
};

}  // namespace kv::remote
