#pragma once

// What the panel benchmarks share: a server stand-in on loopback that answers polls and
// counts every byte it receives, and the real panel window connected to it.
#include <QApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "panel/main_window_view.h"
#include "platform/qt_help_viewer.h"
#include "platform/qt_message_box.h"
#include "platform/qt_socket.h"
#include "temp_dir.h"

inline double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

inline double Median(std::vector<double> values) {
    return Percentile(std::move(values), 0.5);
}

struct BenchServer {
    BenchServer() {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            QTcpSocket* peer = server.nextPendingConnection();
            QObject::connect(peer, &QTcpSocket::readyRead, [this, peer] {
                for (const char c : peer->readAll()) {
                    if (static_cast<uint8_t>(c) == 0xF5) {
                        peer->write("\xF4", 1);
                    }
                    ++received;
                }
            });
        });
    }
    std::string Port() const { return std::to_string(server.serverPort()); }

    QTcpServer server;
    std::size_t received = 0;
};

// The panel from a configuration in its own folder; key 0 talks to station 7.
struct BenchPanel {
    explicit BenchPanel(const BenchServer& server, const std::string& more = {}) {
        dir.Write("zebntpnl.ini",
                  "[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=" + server.Port() +
                      "\r\n[CONFIG]\r\nStay On Top=No\r\n[BUTTON 0]\r\nType=2\r\nFirst=8\r\n"
                      "Line 1=Talk\r\nLine 2=\r\n" +
                      more);
    }
    // Shows and loads the window; false when it does not connect within 10 s.
    bool Connect() {
        window.show();
        window.Load();
        return QTest::qWaitFor([&] { return v.Connected != kv::kFalse; }, 10000) &&
               QTest::qWaitForWindowExposed(&window);
    }

    TempDir dir;
    kv::IntercVariables v;
    kv::MainWindowView w;
    kv::platform::QtSocket socket;
    kv::PanelContext ctx{v, w, socket};
    kv::platform::QtMessageBox box;
    kv::platform::QtHelpViewer help{dir.dir()};
    kv::Services s{ctx, box, help};
    kv::MainWindow window{s, dir.dir()};
};
