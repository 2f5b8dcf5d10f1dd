#include "platform/qt_socket.h"

#include <gtest/gtest.h>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

class QtSocketTest : public ::testing::Test {
protected:
    QtSocketTest() {
        socket.SetEvents({.Connect = [this] { ++connects; },
                          .Close = [this] { ++closes; },
                          .DataArrival = [this](int32_t waiting) { arrived += waiting; }});
        EXPECT_TRUE(server.listen(QHostAddress::LocalHost));
        socket.SetRemoteAddress("127.0.0.1");
        socket.SetRemotePort(server.serverPort());
    }

    // Connects to the local server and returns the server's side.
    QTcpSocket* Open() {
        EXPECT_EQ(socket.Connect(), 0);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return connects == 1 && server.hasPendingConnections(); }, 5000));
        return server.nextPendingConnection();
    }

    QTcpServer server;
    kv::platform::QtSocket socket;
    int connects = 0, closes = 0, arrived = 0;
};

TEST_F(QtSocketTest, CarriesRawBytesBothWaysAndReportsThePeersCloseOnce) {
    QTcpSocket* peer = Open();
    ASSERT_NE(peer, nullptr);
    EXPECT_TRUE(socket.IsConnected());
    const QByteArray sent("\xF5\x00\xFF\x7F\x80", 5);
    peer->write(sent);
    peer->flush();
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
    EXPECT_GE(arrived, 1);
    EXPECT_EQ(socket.Read(buffer, 3), -1);
    EXPECT_EQ(socket.LastError(), kv::platform::kWouldBlock);

    const uint8_t out[] = {0xF4, 0x00, 0xFF};
    EXPECT_EQ(socket.Write(out, 3), 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer->bytesAvailable() >= 3; }, 5000));
    EXPECT_EQ(peer->readAll(), QByteArray("\xF4\x00\xFF", 3));

    peer->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return closes > 0; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(socket.IsConnected());
    EXPECT_EQ(socket.Write(out, 3), -1);
    EXPECT_NE(socket.LastError(), kv::platform::kWouldBlock);
}

TEST_F(QtSocketTest, ClosingFromThisSideReportsNothingAFailedAttemptReportsAClose) {
    ASSERT_NE(Open(), nullptr);
    socket.Close();
    QTest::qWait(100);
    EXPECT_EQ(closes, 0);
    EXPECT_FALSE(socket.IsConnected());

    server.close();  // nobody listens there now
    EXPECT_EQ(socket.Connect(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return closes == 1; }, 5000));
    EXPECT_EQ(connects, 1);
    socket.SetRemotePort(70000);
    EXPECT_NE(socket.Connect(), 0);
}

}  // namespace
