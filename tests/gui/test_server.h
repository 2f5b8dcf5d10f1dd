#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <array>
#include <vector>

// A minimal intercom server on loopback: answers polls, so the panel shows itself
// connected, and collects the crosspoint changes the panel sends.
class TestServer {
public:
    struct Change {
        int input, output, code;
        friend bool operator==(const Change&, const Change&) = default;
    };

    TestServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* peer = server_.nextPendingConnection()) {
                peer_ = peer;
                ++sessions;
                QObject::connect(peer, &QTcpSocket::readyRead, [this, peer] { Read(peer); });
            }
        });
    }

    quint16 Port() const { return server_.serverPort(); }
    void Drop() {
        if (peer_ != nullptr) {
            peer_->abort();
            peer_ = nullptr;
        }
    }

    int sessions = 0;
    std::vector<Change> changes;

private:
    void Read(QTcpSocket* peer) {
        for (const char c : peer->readAll()) {
            const auto byte = static_cast<uint8_t>(c);
            if (byte == 0xF5) {
                peer->write("\xF4", 1);  // poll answered: the panel is connected
                continue;
            }
            if (byte >= 0x80 && byte != 0xFF) {
                frame_.clear();  // a command byte starts a message; 0xFF ends one
            }
            frame_.push_back(byte);
            if (frame_.size() == 9 && frame_[0] == 0xFE && frame_[8] == 0xFF) {
                const auto word = [&](std::size_t at) {
                    return frame_[at] | (frame_[at + 1] << 7);
                };
                changes.push_back({word(3), word(5), word(1) & ~0x400});
            }
        }
    }

    QTcpServer server_;
    QTcpSocket* peer_ = nullptr;
    std::vector<uint8_t> frame_;
};
