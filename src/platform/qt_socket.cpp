#include "platform/qt_socket.h"

#include <QNetworkProxy>
#include <algorithm>
#include <limits>
#include <utility>

namespace kv::platform {
namespace {

// Last-error codes besides kWouldBlock: the socket's own error plus this base.
constexpr int32_t kSocketErrorBase = 24000;
constexpr int32_t kNotConnectedError = 24057;

}  // namespace

QtSocket::QtSocket() {
    socket_.setProxy(QNetworkProxy::NoProxy);
    QObject::connect(&socket_, &QTcpSocket::connected, [this] { OnConnected(); });
    QObject::connect(&socket_, &QTcpSocket::disconnected, [this] { OnEnded(); });
    QObject::connect(&socket_, &QTcpSocket::errorOccurred, [this](QAbstractSocket::SocketError) {
        Fail(kSocketErrorBase + static_cast<int32_t>(socket_.error()),
             socket_.errorString().toStdString());
        OnEnded();
    });
    QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { OnReadyRead(); });
}

QtSocket::~QtSocket() {
    events_ = {};
    attempting_ = false;
    open_ = false;
    SendPending();
    socket_.abort();
}

// Bytes written just before a close (the breaks of keys held as the panel closes) still
// go out: abort() alone drops what waits in the socket's buffer. Bounded, never a hang.
void QtSocket::SendPending() {
    if (!IsConnected()) {
        return;
    }
    socket_.flush();
    if (socket_.bytesToWrite() > 0) {
        socket_.waitForBytesWritten(1000);
    }
    socket_.readAll();  // bytes left unread would turn the close into a reset that drops ours
}

void QtSocket::SetEvents(SocketEvents events) {
    events_ = std::move(events);
}

void QtSocket::SetRemoteAddress(const std::string& address) {
    address_ = address;
}

void QtSocket::SetRemotePort(int32_t port) {
    port_ = port;
}

int32_t QtSocket::Connect() {
    Close();
    if (port_ < 1 || port_ > 65535 || address_.empty()) {
        Fail(kSocketErrorBase + static_cast<int32_t>(QAbstractSocket::HostNotFoundError),
             "Cannot connect to " + address_ + ":" + std::to_string(port_));
        return -1;
    }
    attempting_ = true;
    socket_.connectToHost(QString::fromStdString(address_), static_cast<quint16>(port_));
    return 0;
}

void QtSocket::Close() {
    attempting_ = false;
    open_ = false;
    SendPending();
    socket_.abort();
}

bool QtSocket::IsConnected() const {
    return socket_.state() == QAbstractSocket::ConnectedState;
}

int32_t QtSocket::Read(uint8_t* buffer, int32_t length) {
    if (length < 1 || socket_.bytesAvailable() <= 0) {
        Fail(kWouldBlock, "Operation would block");
        return -1;
    }
    const qint64 got = socket_.read(reinterpret_cast<char*>(buffer), length);
    if (got <= 0) {
        Fail(got == 0 ? kWouldBlock : kSocketErrorBase + static_cast<int32_t>(socket_.error()),
             socket_.errorString().toStdString());
        return -1;
    }
    return static_cast<int32_t>(got);
}

int32_t QtSocket::Write(const uint8_t* buffer, int32_t length) {
    if (!IsConnected()) {
        Fail(kNotConnectedError, "Socket is not connected");
        return -1;
    }
    const qint64 taken = socket_.write(reinterpret_cast<const char*>(buffer), length);
    if (taken < 0) {
        Fail(kSocketErrorBase + static_cast<int32_t>(socket_.error()),
             socket_.errorString().toStdString());
        return -1;
    }
    return static_cast<int32_t>(taken);
}

int32_t QtSocket::LastError() const {
    return lastError_;
}

std::string QtSocket::LastErrorText() const {
    return lastErrorText_;
}

void QtSocket::OnConnected() {
    attempting_ = false;
    open_ = true;
    if (events_.Connect) {
        events_.Connect();
    }
}

void QtSocket::OnEnded() {
    if (!open_ && !attempting_) {
        return;
    }
    open_ = false;
    attempting_ = false;
    if (events_.Close) {
        events_.Close();
    }
}

void QtSocket::OnReadyRead() {
    const qint64 waiting =
        std::clamp<qint64>(socket_.bytesAvailable(), 1, std::numeric_limits<int16_t>::max());
    if (events_.DataArrival) {
        events_.DataArrival(static_cast<int32_t>(waiting));
    }
}

void QtSocket::Fail(int32_t code, std::string text) {
    lastError_ = code;
    lastErrorText_ = std::move(text);
}

}  // namespace kv::platform
