#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "link/framing.h"
#include "link_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadMessage(const std::string& name) {
    std::ifstream in(std::string(KV_MESSAGES_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The stored messages, received as a server would send them, each in one read.
class MessageFilesTest : public LinkTest {
protected:
    MessageFilesTest() {
        v.Connected = kv::kTrue;
        v.AssignedOutput = 1;
        v.AssignedInput = 1;
        v.PendingInfoMask = 0x380;
        v.PendingInfoMask2 = 0x2000;
    }
    void Receive(const std::string& name) {
        const Bytes bytes = ReadMessage(name);
        socket.Push(bytes);
        kv::OnDataArrival(c, static_cast<int32_t>(bytes.size()));
        for (int tick = 0; tick < 10; ++tick) {
            kv::DecodeTick(c);
        }
    }
};

TEST_F(MessageFilesTest, ValidMessagesBuildTheSwitcherPicture) {
    Receive("valid_alpha_outputs.bin");
    Receive("valid_alpha_inputs.bin");
    Receive("valid_icom_channel.bin");
    Receive("valid_crosspoint_map.bin");
    Receive("valid_crosspoint_map_extended.bin");
    Receive("valid_switcher_type.bin");
    Receive("valid_type_request.bin");
    Receive("valid_polls.bin");

    EXPECT_EQ(v.OutputNames, (std::vector<std::string>{"Apollo", "Booth ", "Mixer ", "Studio"}));
    EXPECT_EQ(v.InputNames.front(), "Mic A ");
    EXPECT_EQ(v.NumOutputs, 4);
    EXPECT_EQ(v.NumInputs, 4);
    EXPECT_EQ(v.IcomChannel, (std::vector<int16_t>{3, 2, 1, 0}));
    EXPECT_EQ(v.PendingInfoMask, 0);
    EXPECT_EQ(v.PendingInfoMask2, 0);
    // Input 2 talks to our output 1; its station's output is 1, named Apollo.
    EXPECT_EQ(v.CrosspointMap[1].Talker, 2);
    EXPECT_EQ(v.LastCaller, 1);
    EXPECT_EQ(w.InputWindowText, "Apollo");
    EXPECT_EQ(v.CrosspointMap[3].MarkedCount, 2);
    EXPECT_EQ(v.CrosspointMap[3].Sources[0], 2);
    EXPECT_EQ(v.SwitcherType, 517);
    EXPECT_EQ(socket.TakeWritten(), (Bytes{0x81, 0x07, 0x01, 0x08, 0xFF, 0xF4}));
    EXPECT_TRUE(Live().empty());
    EXPECT_EQ(LogEntries(), 0);
}

TEST_F(MessageFilesTest, BrokenMessagesChangeNothingAndOnlyTheListedFailuresAreLogged) {
    Receive("valid_alpha_outputs.bin");
    Receive("valid_crosspoint_map.bin");
    v.PendingInfoMask = 0x380;
    const std::vector<std::string> names = v.OutputNames;
    const std::vector<int16_t> channels = v.IcomChannel;
    const kv::CrosspointEntry second = v.CrosspointMap[1];

    for (const char* name :
         {"broken_checksum.bin", "broken_alpha_short.bin", "broken_crosspoint_k65.bin",
          "broken_crosspoint_33_marked.bin", "broken_stray_and_cut_short.bin",
          "broken_no_handler.bin", "broken_flood_without_end.bin"}) {
        Receive(name);
        EXPECT_EQ(LogEntries(), 0) << name;
    }
    v.ReceiveBuffer = {};  // the flood leaves an unfinished message behind
    Receive("broken_alpha_station_range.bin");
    Receive("broken_crosspoint_beyond_outputs.bin");
    Receive("broken_icom_short.bin");

    EXPECT_EQ(v.OutputNames, names);
    EXPECT_EQ(v.IcomChannel, channels);
    EXPECT_EQ(v.CrosspointMap[1].Count, second.Count);
    EXPECT_EQ(v.CrosspointMap[1].Sources, second.Sources);
    EXPECT_EQ(v.CrosspointMap[1].Talker, second.Talker);
    // The block with 33 marked entries stopped before its marked count was stored.
    EXPECT_EQ(v.CrosspointMap[0].MarkedCount, 0);
    EXPECT_EQ(v.PendingInfoMask, 0x380);
    EXPECT_TRUE(socket.Written.empty());
    EXPECT_EQ(LogCount("Error Processing Alpha Table"), 1);
    EXPECT_EQ(LogCount("Error Processing Crosspoint Map"), 1);
    EXPECT_EQ(LogCount("Error Receiving Icom Channel"), 1);
    EXPECT_EQ(LogEntries(), 3);
}

}  // namespace
