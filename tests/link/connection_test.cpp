#include "link/connection.h"

#include <gtest/gtest.h>

#include "link/framing.h"
#include "link_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kFirstRequest{0xF2, 0x00, 0x07, 0x00, 0x00, 0x00, 0x40,
                          0x00, 0x00, 0x00, 0x00, 0x47, 0xFF};

class ConnectionTest : public LinkTest {
protected:
    void Receive(const Bytes& bytes) {
        socket.Push(bytes);
        kv::OnDataArrival(c, static_cast<int32_t>(bytes.size()));
    }
};

TEST_F(ConnectionTest, ConnectStartsAnAttemptToTheConfiguredServer) {
    v.IPAddress = "10.1.2.3";
    v.IPPort = 1250;
    v.SocketConnected = kv::kFalse;
    kv::ConnectToServer(c);
    EXPECT_EQ(socket.Address, "10.1.2.3");
    EXPECT_EQ(socket.Port, 1250);
    EXPECT_EQ(socket.ConnectCalls, 1);
    EXPECT_EQ(socket.CloseCalls, 0);
    EXPECT_EQ(v.SocketConnected, kv::kFalse);  // only the connect event opens it
    EXPECT_EQ(w.Caption, "ZEB Intercom Keyvane - Not Connected");

    v.UnansweredPolls = 4;
    kv::OnSocketConnect(c);
    EXPECT_EQ(v.SocketConnected, kv::kTrue);
    EXPECT_EQ(v.UnansweredPolls, 0);
    EXPECT_EQ(v.Connected, kv::kFalse);
    EXPECT_EQ(w.Caption, "ZEB Intercom Keyvane - Not Connected");
}

TEST_F(ConnectionTest, AnAttemptThatCannotStartClosesTheSocketAgain) {
    socket.ConnectResult = 10049;
    kv::ConnectToServer(c);
    EXPECT_EQ(socket.ConnectCalls, 1);
    EXPECT_EQ(socket.CloseCalls, 1);
    EXPECT_EQ(v.ConnectPending, kv::kFalse);
}

TEST_F(ConnectionTest, PollAnswerAndNotConnectedMoveBetweenOpenAndConnected) {
    v.UnansweredPolls = 3;
    Receive({0xF4});
    EXPECT_EQ(v.Connected, kv::kTrue);
    EXPECT_EQ(v.UnansweredPolls, 0);
    EXPECT_EQ(w.Caption, "ZEB Intercom Keyvane - Connected");
    EXPECT_EQ(socket.TakeWritten(), kFirstRequest);
    EXPECT_EQ(v.PendingInfoMask, 0x380);
    EXPECT_EQ(v.PendingInfoMask2, 0x2000);

    Receive({0xF4});  // already connected: nothing new is asked
    EXPECT_TRUE(socket.Written.empty());
    EXPECT_EQ(v.Connected, kv::kTrue);

    v.UnansweredPolls = 2;
    Receive({0xF1});
    EXPECT_EQ(v.Connected, kv::kFalse);
    EXPECT_EQ(v.UnansweredPolls, 0);
    EXPECT_EQ(w.Caption, "ZEB Intercom Keyvane - Not Connected");
    EXPECT_EQ(v.SocketConnected, kv::kTrue);
    EXPECT_EQ(socket.CloseCalls, 0);

    Receive({0xF1});  // already not connected
    EXPECT_EQ(w.Caption, "ZEB Intercom Keyvane - Not Connected");

    Receive({0xF4});
    EXPECT_EQ(v.Connected, kv::kTrue);
    EXPECT_EQ(socket.TakeWritten(), kFirstRequest);
}

TEST_F(ConnectionTest, ServerClosingTheLinkShowsNotConnectedAtOnce) {
    Receive({0xF4});
    Receive({0xF6, 0x01, 0x02});  // closed in the middle of a message
    kv::OnSocketClose(c);
    EXPECT_EQ(v.Connected, kv::kFalse);
    EXPECT_EQ(v.SocketConnected, kv::kFalse);
    EXPECT_EQ(socket.CloseCalls, 1);
    EXPECT_EQ(w.Caption, "ZEB Intercom Keyvane - Not Connected");
    // Nothing of the link's bookkeeping is reset by a close.
    EXPECT_EQ(v.PendingInfoMask, 0x380);

    // The unfinished head does not hold up the next connection's poll answer.
    kv::OnSocketConnect(c);
    Receive({0xF4});
    EXPECT_EQ(v.Connected, kv::kTrue);
}

TEST_F(ConnectionTest, KeptBreaksAreSentOnceInOrderAfterTheInformationRequest) {
    v.KeptBreaks = {{5, 12, 33}, {7, 1, 32}};
    Receive({0xF4});
    const Bytes expected = [] {
        Bytes all = kFirstRequest;
        const Bytes first{0xFE, 0x21, 0x08, 0x05, 0x00, 0x0C, 0x00, 0x3A, 0xFF};
        const Bytes second{0xFE, 0x20, 0x08, 0x07, 0x00, 0x01, 0x00, 0x30, 0xFF};
        all.insert(all.end(), first.begin(), first.end());
        all.insert(all.end(), second.begin(), second.end());
        return all;
    }();
    EXPECT_EQ(socket.TakeWritten(), expected);
    EXPECT_TRUE(v.KeptBreaks.empty());

    Receive({0xF1});
    Receive({0xF4});
    EXPECT_EQ(socket.TakeWritten(), kFirstRequest);  // sent once only
}

TEST_F(ConnectionTest, KeptBreaksWaitWhenTheSocketIsGone) {
    v.KeptBreaks = {{5, 12, 33}};
    socket.Connected = false;
    kv::ShowConnection(c, true);
    EXPECT_EQ(v.KeptBreaks.size(), 1u);
    EXPECT_TRUE(socket.Written.empty());
}

}  // namespace
