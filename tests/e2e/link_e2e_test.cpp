#include <gtest/gtest.h>

#include <algorithm>

#include "link/protocol.h"
#include "link_harness.h"
#include "sim_process.h"

// The panel's link against the real stand-in server over loopback, with real
// sockets and timers. Polls go out every second (Refresh Rate 1); the link is
// dropped after more than two unanswered polls (Time Out 2).

namespace {

using simtest::SimProcess;
using simtest::WaitUntil;

constexpr int kOwnOutput = 12;  // "Output=13" in the file
constexpr const char* kConfig =
    "[CONFIG]\r\nOutput=13\r\nInput=6\r\nButton Count=8\r\nStay On Top=No\r\n"
    "Refresh Rate=1\r\nTime Out=2\r\nFlash Rate=100\r\nOver Hang=1\r\n"
    "[BUTTON 0]\r\nType=2\r\nFirst=4\r\nLine 1=Studio A\r\nLine 2=Talk\r\n"
    "[BUTTON 1]\r\nType=2\r\nFirst=5\r\nLine 1=Audio\r\nLine 2=Talk\r\n";

const QStringList kServer{"--trace", "--poll-ms", "300", "--type-ms", "700"};

bool TablesIn(const LinkHarness& panel) {
    return panel.v.PendingInfoMask == 0 && panel.v.PendingInfoMask2 == 0;
}

// Index of the first trace line from `from` on containing text, or -1.
int LineIndex(const SimProcess& sim, const std::string& text, std::size_t from = 0) {
    for (std::size_t i = from; i < sim.Lines().size(); ++i) {
        if (sim.Lines()[i].find(text) != std::string::npos) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ExpectConnectedWithTables(LinkHarness& panel) {
    ASSERT_TRUE(WaitUntil([&] { return panel.Connected() && TablesIn(panel); }, 8000))
        << "caption " << panel.w.Caption << " pending " << panel.v.PendingInfoMask;
}

TEST(LinkEndToEnd, ConnectsPollsAndLoadsTheTables) {
    SimProcess sim(kServer);
    ASSERT_GT(sim.Port(), 0);
    LinkHarness panel(sim.Port(), kConfig);
    ASSERT_TRUE(panel.iniRead);

    // The TCP connection opens at once; the caption waits for the first poll answer.
    ASSERT_TRUE(WaitUntil([&] { return panel.SocketConnected(); }, 3000));
    EXPECT_EQ(panel.w.Caption, "ZEB Intercom Keyvane - Not Connected");
    EXPECT_FALSE(panel.Connected());
    EXPECT_FALSE(sim.WaitForLine("< panel 1 poll  F5", 3000).empty());
    ASSERT_TRUE(WaitUntil([&] { return panel.Connected(); }, 3000));
    EXPECT_EQ(panel.w.Caption, "ZEB Intercom Keyvane - Connected");

    const std::string exact =
        "< panel 1 info-request first=0x380 second=0x2000  F2 00 07 00 00 00 40 00 00 00 00 47 FF";
    ASSERT_FALSE(sim.WaitForLine(exact, 3000).empty());
    const int request = LineIndex(sim, exact);
    EXPECT_EQ(LineIndex(sim, "< panel 1 info-request"), request) << "a different request came";
    ASSERT_TRUE(WaitUntil([&] { return TablesIn(panel); }, 3000));
    EXPECT_GT(LineIndex(sim, "> panel 1 alpha-table type=10"), request);
    EXPECT_GT(LineIndex(sim, "> panel 1 icom-channel count=16"), request);

    EXPECT_EQ(panel.v.NumOutputs, 16);
    EXPECT_EQ(panel.v.NumInputs, 16);
    ASSERT_EQ(panel.v.OutputNames.size(), 16u);
    EXPECT_EQ(panel.v.OutputNames.front(), "AUDIO     ");  // sorted by name
    EXPECT_EQ(panel.v.OutputNames[panel.v.OutputIndexes[0]], "DIRECTOR  ");
    EXPECT_EQ(panel.v.OutputNames[panel.v.OutputIndexes[15]], "STATION 16");
    EXPECT_EQ(panel.v.IcomChannel.size(), 16u);
    EXPECT_EQ(panel.v.CrosspointMap.size(), 16u);
    EXPECT_EQ(panel.w.StationRows.size(), 16u);

    // With every table in, the panel polls again, and answers the server's own polls.
    EXPECT_FALSE(sim.WaitForLine("< panel 1 poll  F5", 3000, request + 1).empty());
    EXPECT_FALSE(sim.WaitForLine("< panel 1 poll-answer  F4", 3000).empty());
    EXPECT_FALSE(sim.WaitForLine("< panel 1 type-reply type=7 value=1", 3000).empty());
    const std::string stats = sim.Stats();
    EXPECT_NE(stats.find(" bad=0 "), std::string::npos) << stats;
    EXPECT_EQ(panel.halfClosed, 0);
}

TEST(LinkEndToEnd, ChangesAndCallsTravelBothWays) {
    SimProcess sim(kServer);
    LinkHarness panel(sim.Port(), kConfig);
    ExpectConnectedWithTables(panel);

    // A key's request, byte for byte, and the switcher's answer in the panel's map.
    kv::SendCrosspointChange(panel.c, 5, kOwnOutput, 37);
    EXPECT_FALSE(sim.WaitForLine("< panel 1 crosspoint-change code=37 in=5 out=12  "
                                 "FE 25 08 05 00 0C 00 3E FF",
                                 3000)
                     .empty());
    const auto& own = panel.v.CrosspointMap;
    ASSERT_TRUE(WaitUntil([&] { return own[kOwnOutput].Count == 1; }, 3000));
    EXPECT_EQ(own[kOwnOutput].Sources[0], 5);
    EXPECT_EQ(own[kOwnOutput].Level, 1);
    kv::SendCrosspointChange(panel.c, 5, kOwnOutput, 33);
    ASSERT_TRUE(WaitUntil([&] { return own[kOwnOutput].Count == 0; }, 3000));
    EXPECT_EQ(panel.v.LastCaller, 5);  // the map with station 5 talking was a call

    // Station 3 calls the panel: it becomes the caller and its Talk key flashes.
    sim.Command("call 3 " + std::to_string(kOwnOutput));
    ASSERT_TRUE(WaitUntil([&] { return panel.v.LastCaller == 3; }, 3000));
    EXPECT_EQ(own[kOwnOutput].Talker, 3);
    EXPECT_EQ(own[kOwnOutput].Level, 1);
    EXPECT_EQ(panel.w.InputWindowText, "STUDIO A  ");
    EXPECT_EQ(panel.v.ButtonTable[0].CallFlash, kv::kTrue);
    EXPECT_EQ(panel.v.ButtonTable[1].CallFlash, kv::kFalse);

    // A second caller joins: the talker is the newest one.
    sim.Command("call 4 " + std::to_string(kOwnOutput));
    ASSERT_TRUE(WaitUntil([&] { return panel.v.LastCaller == 4; }, 3000));
    EXPECT_EQ(panel.v.ButtonTable[1].CallFlash, kv::kTrue);

    // Both hang up: after the overhang the keys stop flashing.
    sim.Command("clear " + std::to_string(kOwnOutput));
    ASSERT_TRUE(WaitUntil(
        [&] {
            return panel.v.ButtonTable[0].CallFlash == kv::kFalse &&
                   panel.v.ButtonTable[1].CallFlash == kv::kFalse;
        },
        5000));
    EXPECT_EQ(panel.v.ButtonTable[0].State, 0);
    EXPECT_TRUE(panel.Connected());
}

TEST(LinkEndToEnd, GarbageFromTheServerIsSurvived) {
    SimProcess sim(kServer);
    LinkHarness panel(sim.Port(), kConfig);
    ExpectConnectedWithTables(panel);

    sim.Command("garbage 01 02 03 F6 00 01 00 FF");       // stray bytes, a short map
    sim.Command("garbage FC 14 0A 01 00 00 00 41 FF");    // an alpha table of the wrong length
    sim.Command("garbage DE 00 01 00 05 00 07 FF");       // an icom table, checksum off
    sim.Command("flood 200000");                          // a message that never ends
    sim.Command("call 3 " + std::to_string(kOwnOutput));  // cuts the flood short
    ASSERT_TRUE(WaitUntil([&] { return panel.v.LastCaller == 3; }, 5000));
    EXPECT_EQ(panel.v.NumOutputs, 16);
    EXPECT_EQ(panel.v.IcomChannel.size(), 16u);
    EXPECT_TRUE(panel.Connected());
    // Still polled and answered afterwards.
    const std::size_t from = sim.Lines().size();
    EXPECT_FALSE(sim.WaitForLine("< panel 1 poll  F5", 3000, from).empty());
}

TEST(LinkEndToEnd, ASilentServerIsLeftAndRejoined) {
    SimProcess sim(kServer);
    LinkHarness panel(sim.Port(), kConfig);
    ExpectConnectedWithTables(panel);

    // 0xF1: not connected, while the socket stays open; the next poll answer brings it back.
    sim.Command("notconnected");
    ASSERT_TRUE(WaitUntil([&] { return !panel.Connected(); }, 3000));
    EXPECT_TRUE(panel.SocketConnected());
    EXPECT_EQ(panel.w.Caption, "ZEB Intercom Keyvane - Not Connected");
    ASSERT_TRUE(WaitUntil([&] { return panel.Connected(); }, 3000));
    EXPECT_EQ(LineIndex(sim, "+ panel 2"), -1) << "the socket was reopened";

    sim.Command("silent on");
    ASSERT_TRUE(WaitUntil([&] { return !panel.SocketConnected(); }, 8000));
    EXPECT_FALSE(panel.Connected());
    EXPECT_EQ(panel.w.Caption, "ZEB Intercom Keyvane - Not Connected");
    // It keeps trying: the server sees new connections while it stays silent.
    EXPECT_FALSE(sim.WaitForLine("+ panel 2 connected", 5000).empty());

    sim.Command("silent off");
    ASSERT_TRUE(WaitUntil([&] { return panel.Connected() && TablesIn(panel); }, 8000));
    EXPECT_EQ(panel.w.Caption, "ZEB Intercom Keyvane - Connected");
    EXPECT_EQ(panel.halfClosed, 0);
}

TEST(LinkEndToEnd, TheServerClosingTheLinkIsSeenAtOnceAndRepaired) {
    SimProcess sim(kServer);
    LinkHarness panel(sim.Port(), kConfig);
    ExpectConnectedWithTables(panel);

    sim.Command("drop");
    ASSERT_TRUE(WaitUntil([&] { return !panel.SocketConnected(); }, 3000));
    EXPECT_FALSE(panel.Connected());
    EXPECT_EQ(panel.halfClosed, 0) << "Connected outlived the socket";
    EXPECT_EQ(panel.w.Caption, "ZEB Intercom Keyvane - Not Connected");

    ASSERT_TRUE(WaitUntil([&] { return panel.Connected(); }, 5000));
    EXPECT_FALSE(sim.WaitForLine("+ panel 2 connected", 1000).empty());
    EXPECT_EQ(panel.w.Caption, "ZEB Intercom Keyvane - Connected");
    // The tables kept from before are asked for again and arrive.
    ASSERT_TRUE(WaitUntil([&] { return TablesIn(panel); }, 5000));
    EXPECT_NE(sim.Stats().find("panels=1 "), std::string::npos);
}

}  // namespace
