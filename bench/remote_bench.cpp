// Measures the control API: the time from a press request written on one keep-alive
// connection to the Talk key's 9 bytes arriving at the server, over 1,000 presses.
#include <QElapsedTimer>
#include <QUrl>

#include "bench_panel.h"
#include "remote/control_token.h"
#include "remote/remote_control_view.h"

namespace {

// Reads one whole response off the client: headers, then Content-Length bytes.
bool ReadResponse(QTcpSocket& client, QByteArray& pending) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 2000) {
        pending += client.readAll();
        const qsizetype end = pending.indexOf("\r\n\r\n");
        if (end >= 0) {
            const qsizetype at = pending.indexOf("Content-Length: ") + 16;
            const qsizetype length = pending.mid(at, pending.indexOf('\r', at) - at).toLongLong();
            if (pending.size() >= end + 4 + length) {
                pending.remove(0, end + 4 + length);
                return true;
            }
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    BenchServer server;
    BenchPanel panel(server);
    kv::remote::RemoteControl remote(panel.ctx, panel.window, panel.dir.path().string());
    QString reason;
    if (!remote.StartForRun(0, reason)) {
        std::fprintf(stderr, "remote_bench: %s\n", qPrintable(reason));
        return 1;
    }
    if (!panel.Connect()) {
        std::fprintf(stderr, "remote_bench: the panel did not connect\n");
        return 1;
    }

    const QByteArray token =
        QByteArray::fromStdString(panel.dir.Read(kv::remote::kTokenFileName)).trimmed();
    const auto request = [&](const char* action) {
        return QByteArray("POST /v1/keys/0/") + action +
               " HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Bearer " + token + "\r\n\r\n";
    };
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, QUrl(remote.Url()).port());
    client.waitForConnected(3000);
    client.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    QByteArray pending;
    std::vector<double> latencies;
    for (int i = 0; i < 1000; ++i) {
        const std::size_t before = server.received;
        QElapsedTimer t;
        t.start();
        client.write(request("press"));
        while (server.received < before + 9 && t.elapsed() < 1000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        latencies.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        client.write(request("release"));
        if (!ReadResponse(client, pending) || !ReadResponse(client, pending)) {
            std::fprintf(stderr, "remote_bench: no answer on the keep-alive connection\n");
            return 1;
        }
    }
    std::printf(
        "API press to 9 bytes at the server, 1000 presses on one keep-alive connection: "
        "median %.3f ms, 99th percentile %.3f ms\n",
        Percentile(latencies, 0.5), Percentile(latencies, 0.99));
    return 0;
}
