#include "platform/qt_socket.h"

#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <memory>
#include <vector>

namespace {

class QtSocketTest : public ::testing::Test {
protected:
    QtSocketTest() {
        kv::platform::SocketEvents events;
        events.Connect = [this] { ++connects; };
        events.Close = [this] { ++closes; };
        events.DataArrival = [this](int32_t waiting) { arrivals.push_back(waiting); };
        socket.SetEvents(std::move(events));
    }

    // Connects to a listening local server and returns the server's side.
    QTcpSocket* Open() {
        EXPECT_TRUE(server.listen(QHostAddress::LocalHost));
        socket.SetRemoteAddress("127.0.0.1");
        socket.SetRemotePort(server.serverPort());
        EXPECT_EQ(socket.Connect(), 0);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return connects == 1 && server.hasPendingConnections(); }, 5000));
        return server.nextPendingConnection();
    }

    QTcpServer server;
    kv::platform::QtSocket socket;
    int connects = 0;
    int closes = 0;
    std::vector<int32_t> arrivals;
};

TEST_F(QtSocketTest, CarriesRawBytesBothWaysAndReportsThePeersClose) {
    QTcpSocket* peer = Open();
    ASSERT_NE(peer, nullptr);
    EXPECT_TRUE(socket.IsConnected());

    const QByteArray sent("\xF5\x00\xFF\x7F\x80", 5);
    peer->write(sent);
    peer->flush();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !arrivals.empty(); }, 5000));
    EXPECT_GE(arrivals.front(), 1);
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
    EXPECT_EQ(socket.Read(buffer, 3), -1);
    EXPECT_EQ(socket.LastError(), kv::platform::kWouldBlock);
    EXPECT_EQ(got, sent);

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

TEST_F(QtSocketTest, ClosingFromThisSideReportsNothing) {
    QTcpSocket* peer = Open();
    ASSERT_NE(peer, nullptr);
    socket.Close();
    QTest::qWait(100);
    EXPECT_EQ(closes, 0);
    EXPECT_FALSE(socket.IsConnected());
}

TEST_F(QtSocketTest, AFailedAttemptIsReportedAsAClose) {
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    server.close();  // nobody listens there now
    socket.SetRemoteAddress("127.0.0.1");
    socket.SetRemotePort(port);
    EXPECT_EQ(socket.Connect(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return closes == 1; }, 5000));
    EXPECT_EQ(connects, 0);

    socket.SetRemotePort(70000);
    EXPECT_NE(socket.Connect(), 0);
}

}  // namespace
