#include "link/crosspoint_map.h"

#include <gtest/gtest.h>

#include "link/alpha_table.h"
#include "link_fixture.h"
#include "messages.h"

namespace {

using Bytes = std::vector<uint8_t>;
using msg::Block;
using msg::Entry;

// Eight outputs named O0..O7 (station k at position k), own output 2, own input 0.
class CrosspointMapTest : public LinkTest {
protected:
    CrosspointMapTest() {
        v.Connected = kv::kTrue;
        v.AssignedOutput = 2;
        v.AssignedInput = 0;
        std::vector<msg::Record> records;
        for (int k = 0; k < 8; ++k) {
            records.push_back({"O" + std::to_string(k), k});
        }
        kv::ProcessAlphaTable(c, msg::AlphaTable(20, 2, 0, records));
        EXPECT_EQ(v.NumOutputs, 8);
        v.IcomChannel.assign(16, kv::kNoStation);
        v.IcomChannel[9] = 6;  // input 9 belongs to the station of output 6
        v.PendingInfoMask = 0x80;
        w.InputWindowText = "NoSystem";
    }

    const kv::CrosspointEntry& Out(int o) const {
        return v.CrosspointMap[static_cast<std::size_t>(o)];
    }
    Bytes Plain(int first, const std::vector<Block>& blocks) const {
        return msg::CrosspointMap(0, first, blocks);
    }
    static Block Sources(uint8_t level, std::vector<int> inputs) {
        Block b{level, {}};
        for (int i : inputs) {
            b.Entries.push_back({i, i + 100});
        }
        return b;
    }
};

TEST_F(CrosspointMapTest, BlocksFillTheRecordsOfARunOfOutputs) {
    kv::ProcessCrosspointMap(c, Plain(4, {Sources(0, {1, 3}), Sources(2, {})}));
    EXPECT_EQ(Out(4).Count, 2);
    EXPECT_EQ(Out(4).Sources[0], 1);
    EXPECT_EQ(Out(4).Sources[1], 3);
    EXPECT_EQ(Out(4).Values2[1], 103);
    EXPECT_EQ(Out(4).Level, 0);
    EXPECT_EQ(Out(5).Count, 0);
    EXPECT_EQ(Out(5).Sources[0], v.NumInputs - 1);  // K = 0
    EXPECT_EQ(Out(5).Level, 2);
    EXPECT_EQ(v.PendingInfoMask, 0);
    EXPECT_EQ(LogEntries(), 0);
}

TEST_F(CrosspointMapTest, TalkerIsTheInputThatJoinedLast) {
    kv::ProcessCrosspointMap(c, Plain(2, {Sources(1, {7, 9})}));
    EXPECT_EQ(Out(2).Talker, 7);
    kv::ProcessCrosspointMap(c, Plain(2, {Sources(1, {7, 9, 4})}));
    EXPECT_EQ(Out(2).Talker, 4);
    kv::ProcessCrosspointMap(c, Plain(2, {Sources(1, {9})}));
    EXPECT_EQ(Out(2).Talker, 4);  // the count shrank
    kv::ProcessCrosspointMap(c, Plain(2, {Sources(1, {9})}));
    EXPECT_EQ(Out(2).Talker, 9);  // one source of as many as before
    kv::ProcessCrosspointMap(c, Plain(2, {Sources(1, {9, 3})}));
    EXPECT_EQ(Out(2).Talker, 3);
    kv::ProcessCrosspointMap(c, Plain(2, {Sources(0, {5})}));
    EXPECT_EQ(Out(2).Talker, 3);  // level 0 never changes the talker
    kv::ProcessCrosspointMap(c, Plain(2, {Sources(1, {5, 3})}));
    EXPECT_EQ(Out(2).Talker, 5);  // the level just became 1
}

TEST_F(CrosspointMapTest, ExtendedMapSendsMarkedEntriesToTheMarkedFields) {
    std::vector<Entry> entries{
        {11, 21, 31, 0}, {12, 22, 32, 10}, {13, 23, 33, 3}, {14, 24, 34, 10}};
    kv::ProcessCrosspointMap(c, msg::CrosspointMap(0x4A, 6, {Block{0, entries}}));
    const kv::CrosspointEntry& e = Out(6);
    EXPECT_EQ(e.Count, 4);
    EXPECT_EQ(e.MarkedCount, 2);
    EXPECT_EQ(e.Sources[0], 11);
    EXPECT_EQ(e.Sources[1], 13);
    EXPECT_EQ(e.Values2[1], 23);
    EXPECT_EQ(e.Values3[1], 33);
    EXPECT_EQ(e.MarkedSources[0], 12);
    EXPECT_EQ(e.MarkedSources[1], 14);
    EXPECT_EQ(e.MarkedValues2[1], 24);
    EXPECT_EQ(e.MarkedValues3[0], 32);
    EXPECT_EQ(v.PendingInfoMask, 0);

    // Map type 0x40: extended, 5-byte entries without a third value.
    kv::ProcessCrosspointMap(
        c, msg::CrosspointMap(0x40, 7, {Block{0, {{1, 2, 0, 10}, {3, 4, 0, 0}}}}));
    EXPECT_EQ(Out(7).MarkedSources[0], 1);
    EXPECT_EQ(Out(7).Sources[0], 3);
    EXPECT_EQ(Out(7).Values3[0], 0);
}

TEST_F(CrosspointMapTest, BlocksOverTheLimitsStopTheMapKeepingWhatCameBefore) {
    std::vector<Entry> many(65, Entry{1});
    kv::ProcessCrosspointMap(c, Plain(3, {Sources(0, {4}), Block{0, many}, Sources(0, {6})}));
    EXPECT_EQ(Out(3).Sources[0], 4);
    EXPECT_EQ(Out(4).Count, 0);
    EXPECT_EQ(Out(5).Count, 0);
    EXPECT_EQ(v.PendingInfoMask, 0x80);

    std::vector<Entry> marked(33, Entry{2, 0, 0, 10});
    marked.insert(marked.begin(), Entry{8});
    kv::ProcessCrosspointMap(c, msg::CrosspointMap(0x40, 4, {Block{1, marked}, Sources(0, {6})}));
    EXPECT_EQ(Out(4).Count, 34);  // the block in progress keeps what it had
    EXPECT_EQ(Out(4).Level, 1);
    EXPECT_EQ(Out(4).Sources[0], 8);
    EXPECT_EQ(Out(4).MarkedCount, 0);
    EXPECT_EQ(Out(5).Count, 0);
    EXPECT_EQ(v.PendingInfoMask, 0x80);

    std::vector<Entry> full(64, Entry{3});
    kv::ProcessCrosspointMap(c, Plain(4, {Block{0, full}}));
    EXPECT_EQ(Out(4).Count, 64);
    EXPECT_EQ(v.PendingInfoMask, 0);
    EXPECT_EQ(LogEntries(), 0);
}

TEST_F(CrosspointMapTest, LengthDisagreeingWithTheCountsKeepsTheBlocksRead) {
    Block claimsThree = Sources(0, {1, 2});
    claimsThree.Count = 3;
    kv::ProcessCrosspointMap(c, Plain(3, {Sources(0, {5}), claimsThree}));
    EXPECT_EQ(Out(3).Sources[0], 5);
    EXPECT_EQ(Out(4).Count, 0);
    EXPECT_EQ(v.PendingInfoMask, 0x80);

    Bytes extra = Plain(3, {Sources(0, {6})});
    extra.insert(extra.end() - 2, 0x00);  // a stray byte after the block
    kv::ProcessCrosspointMap(c, extra);
    EXPECT_EQ(Out(3).Sources[0], 6);
    EXPECT_EQ(v.PendingInfoMask, 0x80);

    Bytes badSum = Plain(3, {Sources(0, {7})});
    badSum[badSum.size() - 2] = static_cast<uint8_t>((badSum[badSum.size() - 2] + 1) % 128);
    kv::ProcessCrosspointMap(c, badSum);
    kv::ProcessCrosspointMap(c, Plain(9, {Sources(0, {7})}));  // starts past the switcher
    kv::ProcessCrosspointMap(c, Bytes{0xF6, 0x00, 0xFF});
    EXPECT_EQ(Out(3).Sources[0], 6);
    EXPECT_EQ(LogEntries(), 0);
}

TEST_F(CrosspointMapTest, BlockForAnOutputPastTheSwitcherIsAFailure) {
    kv::ProcessCrosspointMap(c, Plain(7, {Sources(0, {1}), Sources(0, {2})}));
    EXPECT_EQ(Out(7).Sources[0], 1);
    EXPECT_EQ(v.PendingInfoMask, 0x80);
    EXPECT_EQ(LogCount("Error Processing Crosspoint Map"), 1);
    kv::ProcessCrosspointMap(c, Plain(8, {Sources(0, {1})}));
    EXPECT_EQ(LogCount("Error Processing Crosspoint Map"), 2);
}

TEST_F(CrosspointMapTest, MapOfTheOwnOutputAloneShowsTheCallerAndStartsTheFlash) {
    v.ButtonTable[1].Type = kv::kTalk;
    v.ButtonTable[1].First = 6;
    kv::ProcessCrosspointMap(c, Plain(2, {Sources(1, {9})}));
    EXPECT_EQ(v.LastCaller, 6);
    EXPECT_EQ(w.InputWindowText, "O6");
    EXPECT_EQ(v.ButtonTable[1].CallFlash, kv::kTrue);
}

TEST_F(CrosspointMapTest, RunThatIsNotTheWholeSwitcherCallsNoDisplayRoutine) {
    v.ButtonTable[1].Type = kv::kTalk;
    v.ButtonTable[1].First = 6;
    v.ButtonTable[0].Type = kv::kListen;
    v.ButtonTable[0].First = 9;
    v.ButtonTable[0].ListCount = 1;
    kv::ProcessCrosspointMap(c, Plain(1, {Sources(0, {}), Sources(1, {9}), Sources(0, {})}));
    EXPECT_EQ(Out(2).Talker, 9);
    EXPECT_EQ(v.LastCaller, kv::kNoStation);
    EXPECT_EQ(w.InputWindowText, "NoSystem");
    EXPECT_EQ(v.ButtonTable[1].CallFlash, kv::kFalse);

    // The whole switcher: the own output at level 0 lights the Listen button only.
    std::vector<Block> all(8, Sources(0, {}));
    all[2] = Sources(0, {9});
    kv::ProcessCrosspointMap(c, Plain(0, all));
    EXPECT_EQ(v.LastCaller, kv::kNoStation);
    EXPECT_EQ(v.ButtonTable[0].State, 1);
}

}  // namespace
