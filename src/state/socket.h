#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The TCP client socket the server link relies on: non-blocking, raw bytes.
// Events are delivered on the user-interface thread.

namespace kv::platform {

inline constexpr int32_t kWouldBlock = 24035;

struct SocketEvents {
    std::function<void()> Connect;             // the connection is open
    std::function<void()> Close;               // the peer or the network closed it
    std::function<void(int32_t)> DataArrival;  // bytes are waiting (a count, may be approximate)
};

class Socket {
public:
    virtual ~Socket() = default;

    virtual void SetEvents(SocketEvents events) = 0;
    virtual void SetRemoteAddress(const std::string& address) = 0;
    virtual void SetRemotePort(int32_t port) = 0;
    // 0 when the attempt has started; success is reported by the connect event.
    virtual int32_t Connect() = 0;
    virtual void Close() = 0;
    virtual bool IsConnected() const = 0;
    // Bytes delivered, or -1 with LastError set (kWouldBlock: nothing more waiting).
    virtual int32_t Read(uint8_t* buffer, int32_t length) = 0;
    // Bytes taken, or -1 with LastError set.
    virtual int32_t Write(const uint8_t* buffer, int32_t length) = 0;
    virtual int32_t LastError() const = 0;
    virtual std::string LastErrorText() const = 0;
};

}  // namespace kv::platform
