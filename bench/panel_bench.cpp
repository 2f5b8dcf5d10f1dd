// Measures the panel window: refilling the station list with 16383 outputs, and the
// time from a mouse press on a Talk button to its 9 bytes arriving at the server.
#include <QApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "display/station_display.h"
#include "panel/colour_button.h"
#include "panel/main_window_view.h"
#include "platform/qt_help_viewer.h"
#include "platform/qt_message_box.h"
#include "platform/qt_socket.h"
#include "temp_dir.h"

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    QTcpSocket* peer = nullptr;
    std::size_t received = 0;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        peer = server.nextPendingConnection();
        QObject::connect(peer, &QTcpSocket::readyRead, [&] {
            for (const char c : peer->readAll()) {
                if (static_cast<uint8_t>(c) == 0xF5) {
                    peer->write("\xF4", 1);
                }
                ++received;
            }
        });
    });

    TempDir dir;
    dir.Write("zebntpnl.ini",
              "[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=" + std::to_string(server.serverPort()) +
                  "\r\n[BUTTON 0]\r\nType=2\r\nFirst=8\r\nLine 1=Talk\r\nLine 2=\r\n");
    kv::IntercVariables v;
    kv::MainWindowView w;
    kv::platform::QtSocket socket;
    kv::PanelContext ctx{v, w, socket};
    kv::platform::QtMessageBox box;
    kv::platform::QtHelpViewer help(dir.dir());
    kv::Services s{ctx, box, help};
    kv::MainWindow window(s, dir.dir());
    window.show();
    window.Load();
    if (!QTest::qWaitFor([&] { return v.Connected != kv::kFalse; }, 10000)) {
        std::fprintf(stderr, "panel_bench: the panel did not connect\n");
        return 1;
    }

    ColourButton* talk = window.findChild<ColourButton*>("cmdButton0");

    // Station list: 16383 outputs, logic and the combo's model together.
    v.NumOutputs = 16383;
    v.OutputNames.resize(16383);
    for (int i = 0; i < 16383; ++i) {
        v.OutputNames[static_cast<std::size_t>(i)] = "STATION " + std::to_string(i + 1);
    }
    std::vector<double> fills;
    for (int run = 0; run < 10; ++run) {
        const auto start = std::chrono::steady_clock::now();
        kv::LoadStationCombo(v, w);
        window.Render();
        fills.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::printf("LoadStationCombo+render 16383 outputs: median %.2f ms, max %.2f ms\n",
                Median(fills), *std::max_element(fills.begin(), fills.end()));

    // Press to wire: 200 presses of the Talk button.
    std::vector<double> latencies;
    for (int i = 0; i < 200; ++i) {
        QTest::qWait(2);
        const std::size_t before = received;
        QElapsedTimer t;
        t.start();
        QTest::mousePress(talk, Qt::LeftButton);
        while (received < before + 9 && t.elapsed() < 1000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        latencies.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        QTest::mouseRelease(talk, Qt::LeftButton);
    }
    std::printf("press to 9 bytes at the server, 200 presses: median %.3f ms, max %.3f ms\n",
                Median(latencies), *std::max_element(latencies.begin(), latencies.end()));
    return 0;
}
