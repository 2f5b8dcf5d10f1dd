#pragma once

#include <QTcpSocket>
#include <cstdint>
#include <string>

#include "state/socket.h"

namespace kv::platform {

// The socket on a QTcpSocket: no proxy, raw bytes, events on the thread that owns it.
// Close is reported once for a connection that was open, and for an attempt that
// failed, so that the next poll tick tries again; closing from this side reports nothing.
class QtSocket final : public Socket {
public:
    QtSocket();
    ~QtSocket() override;
    QtSocket(const QtSocket&) = delete;
    QtSocket& operator=(const QtSocket&) = delete;

    void SetEvents(SocketEvents events) override;
    void SetRemoteAddress(const std::string& address) override;
    void SetRemotePort(int32_t port) override;
    int32_t Connect() override;
    void Close() override;
    bool IsConnected() const override;
    int32_t Read(uint8_t* buffer, int32_t length) override;
    int32_t Write(const uint8_t* buffer, int32_t length) override;
    int32_t LastError() const override;
    std::string LastErrorText() const override;

private:
    void OnConnected();
    void OnEnded();
    void OnReadyRead();
    void Fail(int32_t code, std::string text);
    void SendPending();

    QTcpSocket socket_;
    SocketEvents events_;
    std::string address_;
    int32_t port_ = 0;
    bool attempting_ = false;  // Connect started an attempt that has not ended yet
    bool open_ = false;        // the connect event was delivered
    int32_t lastError_ = 0;
    std::string lastErrorText_;
};

}  // namespace kv::platform
