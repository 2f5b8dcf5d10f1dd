#include "remote/http_connection_view.h"

#include <QTcpSocket>

#include "remote/panel_json.h"

namespace kv::remote {
namespace {

// A whole request is never longer: the reader decides every request within this.
constexpr qint64 kLongestRequest = kMaxHeaderBytes + kMaxBodyBytes;
// Replies a client has not taken yet: past this, its further requests wait.
constexpr qint64 kMaxUnsent = 64 * 1024;
constexpr int kStallMs = 10'000;
constexpr int kIdleMs = 120'000;

}  // namespace

HttpConnection::HttpConnection(QTcpSocket* socket, Handler handler, Upgrader upgrader,
                               QObject* parent)
    : QObject(parent),
      socket_(socket),
      handler_(std::move(handler)),
      upgrader_(std::move(upgrader)) {
    // Unread bytes stay in the kernel past this: a client that sends without taking the
    // replies is held back by TCP instead of growing our buffer.
    socket_->setReadBufferSize(2 * kLongestRequest);
    patience_.setSingleShot(true);
    connect(&patience_, &QTimer::timeout, socket_, &QTcpSocket::abort);
    connect(socket_, &QTcpSocket::readyRead, this, &HttpConnection::Process);
    connect(socket_, &QTcpSocket::bytesWritten, this, &HttpConnection::Process);
    connect(socket_, &QTcpSocket::disconnected, socket_, &QObject::deleteLater);
    connect(socket_, &QObject::destroyed, this, &QObject::deleteLater);
    Arm();
    Process();
}

// A request has kStallMs from its first byte to its last, however slowly it trickles in;
// between requests the connection may idle for kIdleMs.
void HttpConnection::Arm() {
    const bool partial = reader_.Buffered() > 0;
    if (partial && started_) {
        return;
    }
    started_ = partial;
    patience_.start(partial ? kStallMs : kIdleMs);
}

void HttpConnection::Process() {
    if (processing_ || closing_) {
        return;
    }
    processing_ = true;
    while (socket_->bytesToWrite() < kMaxUnsent) {
        const qint64 available = std::min(socket_->bytesAvailable(), kLongestRequest);
        if (available > static_cast<qint64>(reader_.Buffered())) {
            const QByteArray bytes = socket_->peek(available);
            reader_.Feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))
                             .substr(reader_.Buffered()));
        }
        HttpRequest request;
        const ReadResult result = reader_.Next(request);
        if (result.State == ReadState::NeedMore) {
            break;
        }
        if (result.State == ReadState::Failed) {
            Send({result.Status, ErrorJson(result.Reason), {}, false}, false);
            break;
        }
        started_ = false;  // the next request has a deadline of its own
        const Reply reply = handler_(request);
        if (reply.Upgrade) {
            // The handshake is still in the socket: the socket server reads it from there.
            closing_ = true;
            patience_.stop();
            disconnect(socket_, nullptr, this, nullptr);
            disconnect(socket_, &QTcpSocket::disconnected, socket_, &QObject::deleteLater);
            upgrader_(socket_);
            deleteLater();
            return;
        }
        socket_->read(static_cast<qint64>(request.Size));
        Send(reply, request.KeepAlive);
        if (closing_) {
            break;
        }
    }
    processing_ = false;
    if (!closing_) {
        Arm();
    }
}

void HttpConnection::Send(const Reply& reply, bool keepAlive) {
    const std::string bytes = FormatResponse(reply, keepAlive);
    socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (!keepAlive) {
        closing_ = true;
        patience_.start(kStallMs);  // a client that never takes the reply is cut off
        socket_->disconnectFromHost();
    }
}

}  // namespace kv::remote
