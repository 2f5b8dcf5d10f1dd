#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "state/socket.h"

// A scripted socket for unit tests: incoming bytes are queued by the test, written
// bytes are recorded, and connect, write and read failures can be forced.
class FakeSocket : public kv::platform::Socket {
public:
    std::deque<uint8_t> Incoming;  // read until empty, then the reads would block
    int32_t ReadChunk = 0;         // most bytes one Read delivers (0: any)
    std::vector<uint8_t> Written;
    int32_t WouldBlockWrites = 0;  // this many writes are refused as would-block first
    int32_t WriteLimit = 0;        // a write takes at most this many bytes (0: all)
    int32_t WriteError = 0;        // non-zero: every write fails with this error
    int32_t WriteCalls = 0;
    int32_t ConnectResult = 0;
    bool CloseInConnect = false;  // the attempt fails inside Connect, which reports the close
    bool Connected = true;
    int32_t ConnectCalls = 0;
    int32_t CloseCalls = 0;
    std::string Address;
    int32_t Port = 0;
    kv::platform::SocketEvents Events;

    std::vector<uint8_t> TakeWritten() { return std::exchange(Written, {}); }

    void SetEvents(kv::platform::SocketEvents events) override { Events = std::move(events); }
    void SetRemoteAddress(const std::string& address) override { Address = address; }
    void SetRemotePort(int32_t port) override { Port = port; }
    int32_t Connect() override {
        ++ConnectCalls;
        if (CloseInConnect && Events.Close) {
            Events.Close();
        }
        return ConnectResult;
    }
    void Close() override {
        ++CloseCalls;
        Connected = false;
    }
    bool IsConnected() const override { return Connected; }

    int32_t Read(uint8_t* buffer, int32_t length) override {
        const auto waiting = static_cast<int32_t>(Incoming.size());
        const int32_t n = std::min({length, waiting, ReadChunk > 0 ? ReadChunk : waiting});
        if (n < 1) {
            return Fail(kv::platform::kWouldBlock);
        }
        std::copy_n(Incoming.begin(), n, buffer);
        Incoming.erase(Incoming.begin(), Incoming.begin() + n);
        return n;
    }

    int32_t Write(const uint8_t* buffer, int32_t length) override {
        ++WriteCalls;
        if (WriteError != 0) {
            return Fail(WriteError);
        }
        if (WouldBlockWrites > 0) {
            --WouldBlockWrites;
            return Fail(kv::platform::kWouldBlock);
        }
        const int32_t n = WriteLimit > 0 ? std::min(length, WriteLimit) : length;
        Written.insert(Written.end(), buffer, buffer + n);
        return n;
    }

    int32_t LastError() const override { return last_; }
    std::string LastErrorText() const override {
        return "fake socket error " + std::to_string(last_);
    }

private:
    int32_t Fail(int32_t error) {
        last_ = error;
        return -1;
    }
    int32_t last_ = 0;
};
