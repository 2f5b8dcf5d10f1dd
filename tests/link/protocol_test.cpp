#include "link/protocol.h"

#include <gtest/gtest.h>

#include "link/server_messages.h"
#include "link_fixture.h"
#include "messages.h"

namespace {

using Bytes = std::vector<uint8_t>;
using ProtocolTest = LinkTest;

TEST_F(ProtocolTest, WireBytesOfTheRequests) {
    kv::SendInfoRequest(c, 0x380, 0x2000);
    EXPECT_EQ(socket.TakeWritten(), (Bytes{0xF2, 0x00, 0x07, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00,
                                           0x00, 0x00, 0x47, 0xFF}));
    EXPECT_EQ(v.PendingInfoMask, 0x380);
    EXPECT_EQ(v.PendingInfoMask2, 0x2000);

    kv::SendInfoRequest(c, 0x80, 0);
    EXPECT_EQ(socket.TakeWritten(), (Bytes{0xF2, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                           0x00, 0x00, 0x01, 0xFF}));

    // All four groups of the first word carry their bits.
    kv::SendInfoRequest(c, 0x0FFFFFFF, 0x3FFF);
    const Bytes all = socket.TakeWritten();
    EXPECT_EQ(Bytes(all.begin() + 1, all.begin() + 7), (Bytes{0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F}));
    EXPECT_EQ(all[11], (6 * 0x7F) % 128);

    kv::SendCrosspointChange(c, 5, 12, 37);
    EXPECT_EQ(socket.TakeWritten(), (Bytes{0xFE, 0x25, 0x08, 0x05, 0x00, 0x0C, 0x00, 0x3E, 0xFF}));
    kv::SendCrosspointChange(c, 300, 16383, 32);
    EXPECT_EQ(socket.TakeWritten(), (Bytes{0xFE, 0x20, 0x08, 0x2C, 0x02, 0x7F, 0x7F, 0x54, 0xFF}));
    EXPECT_EQ(LogEntries(), 0);
}

TEST_F(ProtocolTest, NumbersTheWireCannotCarryAreRefusedNotMangled) {
    kv::SendCrosspointChange(c, -1, 12, 37);
    kv::SendCrosspointChange(c, 5, 16384, 33);
    EXPECT_TRUE(socket.Written.empty());
    EXPECT_EQ(LogCount("Error Sending Crosspoint Change"), 2);
}

TEST_F(ProtocolTest, InfoRequestIsRecordedPendingEvenWhenTheSendFails) {
    socket.WriteError = 10054;
    kv::SendInfoRequest(c, 0x200, 0);
    EXPECT_TRUE(socket.Written.empty());
    EXPECT_EQ(v.PendingInfoMask, 0x200);
    EXPECT_EQ(v.PendingInfoMask2, 0);
    EXPECT_EQ(LogEntries(), 0);  // a refused write drops the message silently
}

TEST_F(ProtocolTest, SendToSwitcherRetriesWouldBlockAndFinishesPartialWrites) {
    socket.WouldBlockWrites = 5;
    socket.WriteLimit = 2;
    kv::SendCrosspointChange(c, 5, 12, 37);
    // Each byte reaches the wire exactly once, in order.
    EXPECT_EQ(socket.TakeWritten(), (Bytes{0xFE, 0x25, 0x08, 0x05, 0x00, 0x0C, 0x00, 0x3E, 0xFF}));
    EXPECT_EQ(socket.WriteCalls, 5 + 5);
    EXPECT_EQ(LogEntries(), 0);
}

TEST_F(ProtocolTest, SendToSwitcherGivesUpAfterBoundedAttempts) {
    socket.WouldBlockWrites = 1000000;
    kv::SendCrosspointChange(c, 5, 12, 37);
    EXPECT_EQ(socket.WriteCalls, kv::kMaxWriteAttempts);
    EXPECT_TRUE(socket.Written.empty());
    EXPECT_EQ(LogCount("Error sending to switcher"), 1);
    EXPECT_TRUE(socket.Connected);
}

TEST_F(ProtocolTest, SendToSwitcherOnAClosedSocketDisconnects) {
    v.Connected = kv::kTrue;
    socket.Connected = false;
    kv::SendCrosspointChange(c, 5, 12, 37);
    EXPECT_EQ(socket.WriteCalls, 0);
    EXPECT_EQ(v.Connected, kv::kFalse);
    EXPECT_EQ(v.SocketConnected, kv::kFalse);
    EXPECT_EQ(w.Caption, "ZEB Intercom Keyvane - Not Connected");
}

TEST_F(ProtocolTest, TypeRequestIsAnsweredOnlyWhenWellFormed) {
    kv::ProcessTypeRequest(c, msg::Framed(0x81, {0x65}));              // wrong fixed byte
    kv::ProcessTypeRequest(c, Bytes{0x81, 0x64, 0x65, 0xFF});          // checksum off by one
    kv::ProcessTypeRequest(c, msg::Framed(0x81, {0x64, 0x01, 0x02}));  // six bytes
    EXPECT_TRUE(socket.Written.empty());
    EXPECT_FALSE(w.PollEnabled);

    kv::ProcessTypeRequest(c, msg::Framed(0x81, {0x64}));
    EXPECT_EQ(socket.TakeWritten(), (Bytes{0x81, 0x07, 0x01, 0x08, 0xFF}));
    EXPECT_TRUE(w.PollEnabled);
    w.PollEnabled = false;
    kv::ProcessTypeRequest(c, msg::Framed(0x81, {0x64, 0x33}));
    EXPECT_EQ(socket.TakeWritten(), (Bytes{0x81, 0x07, 0x01, 0x08, 0xFF}));
    EXPECT_TRUE(w.PollEnabled);
    EXPECT_EQ(LogEntries(), 0);
}

TEST_F(ProtocolTest, SwitcherTypeNeedsItsExactForm) {
    kv::ProcessSwitcherType(c, msg::SwitcherType(1000));
    EXPECT_EQ(v.SwitcherType, 1000);

    Bytes wrongFixed = msg::Framed(0xE5, {2, 0, 0, 5, 0, 0, 0});
    kv::ProcessSwitcherType(c, wrongFixed);
    Bytes badSum = msg::SwitcherType(7);
    badSum[8] = static_cast<uint8_t>((badSum[8] + 1) % 128);
    kv::ProcessSwitcherType(c, badSum);
    kv::ProcessSwitcherType(c, msg::Framed(0xE5, {1, 0, 0, 5, 0, 0}));  // nine bytes
    EXPECT_EQ(v.SwitcherType, 1000);
    EXPECT_EQ(LogEntries(), 0);
}

TEST_F(ProtocolTest, IcomChannelReplacesTheTableAndShowsTheCaller) {
    v.PendingInfoMask2 = 0x2000;
    v.CrosspointMap.resize(4);
    v.CrosspointMap[1].Count = 1;
    v.CrosspointMap[1].Talker = 2;  // input 2 talks to our output 1
    kv::ReceiveIcomChannel(c, msg::IcomChannel({16383, 16383, 3}));
    EXPECT_EQ(v.IcomChannel, (std::vector<int16_t>{16383, 16383, 3}));
    EXPECT_EQ(v.LastCaller, 3);
    EXPECT_EQ(w.InputWindowText, v.OutputNames[static_cast<std::size_t>(v.OutputIndexes[3])]);
    EXPECT_EQ(v.PendingInfoMask2, 0);
    EXPECT_EQ(LogEntries(), 0);
}

TEST_F(ProtocolTest, IcomChannelShorterThanItsCountOrEmptyIsAFailure) {
    v.PendingInfoMask2 = 0x2000;
    const std::vector<int16_t> before = v.IcomChannel;

    Bytes body{0};
    msg::Word(body, 5);  // five values announced, two sent
    msg::Word(body, 1);
    msg::Word(body, 2);
    kv::ReceiveIcomChannel(c, msg::Framed(0xDE, body));
    kv::ReceiveIcomChannel(c, msg::IcomChannel({}));
    kv::ReceiveIcomChannel(c, msg::Framed(0xDE, {0}));  // no count at all

    EXPECT_EQ(v.IcomChannel, before);
    EXPECT_EQ(v.PendingInfoMask2, 0x2000);
    EXPECT_EQ(LogCount("Error Receiving Icom Channel"), 3);

    Bytes badSum = msg::IcomChannel({1, 2});
    badSum[badSum.size() - 2] ^= 1;
    kv::ReceiveIcomChannel(c, badSum);
    EXPECT_EQ(v.IcomChannel, before);
    EXPECT_EQ(LogEntries(), 3);
}

}  // namespace
