#include "platform/qt_socket.h"

#include <gtest/gtest.h>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <memory>

TEST(QtSocket, CarriesRawBytesBothWaysAndReportsOnlyTheOtherSidesClose) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    kv::platform::QtSocket socket;
    int connects = 0, closes = 0, arrived = 0;
    socket.SetEvents({.Connect = [&] { ++connects; },
                      .Close = [&] { ++closes; },
                      .DataArrival = [&](int32_t waiting) { arrived += waiting; }});
    socket.SetRemoteAddress("127.0.0.1");
    socket.SetRemotePort(server.serverPort());
    const auto open = [&] {
        EXPECT_EQ(socket.Connect(), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 5000));
        return server.nextPendingConnection();
    };
    QTcpSocket* peer = open();
    ASSERT_TRUE(peer != nullptr && QTest::qWaitFor([&] { return connects == 1; }, 5000));
    const QByteArray sent("\xF5\x00\xFF\x7F\x80", 5);
    peer->write(sent);
    QByteArray got;
    uint8_t buffer[3];
    // Reads until nothing more is waiting, as often as it takes for all to arrive.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            for (int n; (n = socket.Read(buffer, 3)) > 0;) {
                got.append(reinterpret_cast<const char*>(buffer), n);
            }
            return got.size() >= sent.size();
        },
        5000));
    EXPECT_EQ(got, sent);
    EXPECT_GE(arrived, 1);                                     // each arrival was told
    EXPECT_EQ(socket.LastError(), kv::platform::kWouldBlock);  // once nothing more waits
    EXPECT_EQ(socket.Write(buffer, 3), 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer->bytesAvailable() >= 3; }, 5000));
    EXPECT_EQ(peer->readAll(), QByteArray(reinterpret_cast<const char*>(buffer), 3));

    peer->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return closes > 0; }, 5000));
    EXPECT_EQ(socket.Write(buffer, 3), -1);

    ASSERT_NE(open(), nullptr);
    socket.Close();
    QTest::qWait(100);
    EXPECT_EQ(closes, 1);  // the peer's close once, this side's not at all
    server.close();        // nobody listens there now: the attempt fails as a close
    EXPECT_EQ(socket.Connect(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return closes == 2; }, 5000));
    socket.SetRemotePort(70000);
    EXPECT_NE(socket.Connect(), 0);
}

TEST(QtSocket, WhatWasWrittenLastGoesOutWhenTheSocketEnds) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    auto socket = std::make_unique<kv::platform::QtSocket>();
    socket->SetRemoteAddress("127.0.0.1");
    socket->SetRemotePort(server.serverPort());
    ASSERT_EQ(socket->Connect(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 5000));
    QTcpSocket* peer = server.nextPendingConnection();
    ASSERT_TRUE(QTest::qWaitFor([&] { return socket->IsConnected(); }, 5000));
    peer->write("unread");  // waiting at the socket when it ends
    QTest::qWait(50);
    const uint8_t last[] = {0xFE, 0x21, 0xFF};
    ASSERT_EQ(socket->Write(last, 3), 3);
    socket.reset();  // no event loop turn in between, as at the program's end
    EXPECT_TRUE(QTest::qWaitFor([&] { return peer->bytesAvailable() >= 3; }, 5000));
    EXPECT_EQ(peer->readAll(), QByteArray("\xFE\x21\xFF", 3));
}
