#include <gtest/gtest.h>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QUrl>
#include <QWebSocket>

#include "desktop_session.h"
#include "temp_dir.h"

// The control API of the real program against the real stand-in server: holds made over
// HTTP and over a WebSocket reach the server as make and break, and what a browser or a
// stranger sends is refused.

namespace {

// One request on its own connection, read to the server's close: the status and the body.
std::pair<int, QByteArray> Http(quint16 port, const QByteArray& request) {
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, port);
    s.waitForConnected(3000);
    s.write(request);
    QByteArray got;
    while (s.state() == QAbstractSocket::ConnectedState && s.waitForReadyRead(5000)) {
        got += s.readAll();
    }
    got += s.readAll();
    return {got.mid(9, 3).toInt(), got.mid(got.indexOf("\r\n\r\n") + 4)};
}

}  // namespace

TEST(RemoteControl, HoldsReachTheServerAndEndWithTheirClientRefusalsGoFirst) {
    TempDir dir;
    DesktopSession run;
    // HTTP holds last 2 s.
    ASSERT_TRUE(run.StartTalkPanel(dir, "Output=3\r\nInput=4\r\n", "[control]\nlease_seconds=2\n",
                                   {"--control-port", "0"}))
        << run.Seen();
    ASSERT_TRUE(WaitFor([&] { return run.panel.canReadLine(); }, 10000)) << run.Seen();
    const QString first = QString::fromUtf8(run.panel.readLine()).trimmed();
    ASSERT_TRUE(first.startsWith("control: http://127.0.0.1:")) << first.toStdString();
    const auto port = static_cast<quint16>(first.section(':', -1).chopped(1).toUInt());
    const QByteArray token = QByteArray::fromStdString(dir.Read("control-token")).trimmed();
    ASSERT_EQ(token.size(), 64);
    const QByteArray auth = "Authorization: Bearer " + token + "\r\n";
    const auto request = [&](const QByteArray& line, const QByteArray& headers) {
        return Http(port, line + " HTTP/1.1\r\nConnection: close\r\n" + headers + "\r\n");
    };
    const QByteArray local = "Host: 127.0.0.1\r\n";
    EXPECT_TRUE(request("GET /v1/panel", local + auth).second.contains("\"connected\":true"));
    const auto waitSent = [&](int makes, int breaks) {
        return WaitFor([&] { return run.Sent(37) == makes && run.Sent(33) == breaks; }, 5000);
    };

    // Refusals, each before the panel is touched.
    struct Refusal {
        QByteArray line, headers;
        int status;
    };
    const Refusal refusals[] = {
        {"POST /v1/keys/0/press", local, 401},
        {"POST /v1/keys/0/press",
         local + "Authorization: Bearer " + token.left(63) + (token.endsWith('0') ? "1" : "0") +
             "\r\n",
         401},
        {"POST /v1/keys/0/press", local + auth + "Origin: http://localhost\r\n", 403},
        {"POST /v1/keys/0/press",
         "Host: attacker.example:" + QByteArray::number(port) + "\r\n" + auth, 403},
        {"PUT /v1/dial", local + auth + "Content-Length: 5000\r\n", 413},
    };
    for (const Refusal& r : refusals) {
        const auto [status, body] = request(r.line, r.headers);
        EXPECT_EQ(status, r.status) << r.headers.toStdString();
        EXPECT_FALSE(body.contains("keys")) << body.toStdString();
    }

    // Over HTTP: press and release; then a press left alone ends with its lease.
    const auto [pressed, pressBody] = request("POST /v1/keys/0/press", local + auth);
    EXPECT_EQ(pressed, 200);
    EXPECT_TRUE(pressBody.contains(R"("index":0,"line1":"Audio")")) << pressBody.toStdString();
    EXPECT_TRUE(pressBody.contains(R"("held":true)"));
    EXPECT_TRUE(waitSent(1, 0)) << run.Trace().toStdString();
    EXPECT_EQ(request("POST /v1/keys/0/release", local + auth).first, 200);
    EXPECT_TRUE(waitSent(1, 1));
    EXPECT_EQ(request("POST /v1/keys/0/press", local + auth).first, 200);
    EXPECT_TRUE(waitSent(2, 1));
    QThread::msleep(1500);
    EXPECT_EQ(run.Sent(33), 1) << "the lease ended early";
    EXPECT_TRUE(waitSent(2, 2)) << "the lease did not end the hold";

    // Over a WebSocket: the panel on connect, a press, and the break when it is lost.
    QWebSocket ws;
    QList<QString> heard;
    QObject::connect(&ws, &QWebSocket::textMessageReceived,
                     [&](const QString& text) { heard.append(text); });
    QNetworkRequest open(QUrl(QString("ws://127.0.0.1:%1/v1/events").arg(port)));
    open.setRawHeader("Authorization", "Bearer " + token);
    ws.open(open);
    ASSERT_TRUE(WaitFor([&] { return !heard.isEmpty(); }, 5000)) << run.Seen();
    EXPECT_TRUE(heard.first().contains("\"keys\""));
    ws.sendTextMessage(R"({"press": 0})");
    EXPECT_TRUE(waitSent(3, 2));
    EXPECT_TRUE(WaitFor([&] { return heard.last().contains(R"("held":true)"); }, 3000));
    ws.abort();
    EXPECT_TRUE(waitSent(3, 3)) << "a lost WebSocket left its hold";

    // A modal dialog of the panel (File, Setup asks for the password) takes no presses.
    run.FileMenu(run.Window(kConnected), "s");
    EXPECT_TRUE(
        WaitFor([&] { return request("POST /v1/keys/0/press", local + auth).first == 409; }, 5000));
    run.Press("key", "Escape");
    EXPECT_TRUE(
        WaitFor([&] { return request("POST /v1/keys/0/press", local + auth).first == 200; }, 5000));
    request("POST /v1/keys/0/release", local + auth);
    EXPECT_TRUE(waitSent(4, 4)) << run.Trace().toStdString();
}
