#include <gtest/gtest.h>

#include "link/alpha_table.h"
#include "link/crosspoint_map.h"
#include "link_fixture.h"

namespace {

using Names = std::vector<std::string>;
using Numbers = std::vector<int16_t>;

// An alpha table; every record is written, those before the first to take too.
Bytes AlphaTable(uint8_t type, uint8_t width, int first,
                 const std::vector<std::pair<std::string, int>>& records) {
    Bytes body{type, width};
    Word(body, static_cast<int>(records.size()));
    Word(body, first);
    for (auto [name, station] : records) {
        name.resize(width, ' ');
        body.insert(body.end(), name.begin(), name.end());
        Word(body, station);
    }
    return Framed(0xFC, body);
}

struct Entry {
    int Input, Value2 = 0, Value3 = 0;
    uint8_t Marker = 0;  // extended maps only
};

struct Block {
    uint8_t Level;
    std::vector<Entry> Entries;
    int Count = -1;  // the count sent; -1: the number of entries
};

Bytes CrosspointMap(uint8_t type, int firstOutput, const std::vector<Block>& blocks) {
    Bytes body{type};
    Word(body, static_cast<int>(blocks.size()));
    Word(body, firstOutput);
    for (const Block& b : blocks) {
        Word(body, b.Count < 0 ? static_cast<int>(b.Entries.size()) : b.Count);
        body.push_back(b.Level);
        for (const Entry& e : b.Entries) {
            if ((type & 0x40) != 0) {
                body.push_back(e.Marker);
            }
            Word(body, e.Input);
            Word(body, e.Value2);
            if ((type & 0x0F) == 10) {
                Word(body, e.Value3);
            }
        }
    }
    return Framed(0xF6, body);
}

// A block of plain entries, each input i with the second value i + 100.
Block Sources(uint8_t level, std::vector<int> inputs) {
    Block b{level, {}};
    for (int i : inputs) {
        b.Entries.push_back({i, i + 100});
    }
    return b;
}

// Eight outputs named Ok but the own output 2, named Z2; input 9 belongs to the station of
// output 6.
class TablesTest : public LinkTest {
protected:
    TablesTest() {
        v.Connected = kv::kTrue;
        v.AssignedOutput = 2;
        v.CrosspointMap[0].Talker = 42;
        std::vector<std::pair<std::string, int>> records;
        for (int k = 0; k < 8; ++k) {
            records.push_back({k == 2 ? "Z2" : "O" + std::to_string(k), k});  // own sorts last
        }
        kv::ProcessAlphaTable(c, AlphaTable(20, 2, 0, records));
        v.IcomChannel.assign(16, kv::kNoStation);
        v.IcomChannel[9] = 6;
        v.PendingInfoMask = 0x80;
    }
    const kv::CrosspointEntry& Out(int o) const {
        return v.CrosspointMap.at(static_cast<std::size_t>(o));
    }
    void Map(int first, const std::vector<Block>& blocks, uint8_t type = 0) {
        kv::ProcessCrosspointMap(c, CrosspointMap(type, first, blocks));
    }
};

TEST_F(TablesTest, AlphaTablesAreSortedWithTheirNumbersAndShown) {
    EXPECT_EQ(v.OutputNames, (Names{"O0", "O1", "O3", "O4", "O5", "O6", "O7", "Z2"}));
    EXPECT_EQ(v.OutputNumbers, (Numbers{0, 1, 3, 4, 5, 6, 7, 2}));
    EXPECT_EQ(v.OutputIndexes, (Numbers{0, 1, 7, 2, 3, 4, 5, 6}));
    EXPECT_EQ(v.CrosspointMap.size(), 8u);
    EXPECT_EQ(v.CrosspointMap[0].Talker, 42);  // the records of remaining outputs are kept
    EXPECT_EQ(w.StatusPanel1, "Intercom Station Assignment (Z2) ");
    EXPECT_EQ(w.StationRows, v.OutputNames);  // connected: the combo lists the names
    // Records before the first to take stay empty and sort first; bytes compare unsigned.
    v.AssignedInput = 0;
    v.PendingInfoMask = 0x380;
    kv::ProcessAlphaTable(c, AlphaTable(10, 4, 2, {{"X", 3}, {"Y", 2}, {"\xE9t", 1}, {"Cal", 0}}));
    EXPECT_EQ(v.InputNames, (Names{"", "", "Cal ", "\xE9t  "}));
    EXPECT_EQ(v.InputNumbers, (Numbers{0, 0, 0, 1}));
    EXPECT_EQ(v.InputIndexes[1], 3);
    EXPECT_EQ(v.AssignedInputIndex, v.InputIndexes[0]);
    EXPECT_EQ(v.NumInputs + v.NumOutputs, 12);
    EXPECT_EQ(v.PendingInfoMask, 0x280);
    EXPECT_EQ(LogCount(), 0);
}

TEST_F(TablesTest, BlocksFillTheRecordsOfARunOfOutputs) {
    Map(4, {Sources(0, {1, 3}), Sources(2, {}), Block{0, std::vector<Entry>(64, {3})}});
    EXPECT_EQ(Numbers({Out(4).Count, Out(4).Sources[1], Out(4).Values2[1], Out(5).Level}),
              Numbers({2, 3, 103, 2}));
    EXPECT_EQ(Out(5).Count, 0);
    EXPECT_EQ(Out(5).Sources[0], v.NumInputs - 1);  // an empty block names the last input
    EXPECT_EQ(Out(6).Count, 64);
    // Extended maps put marked entries apart; type 10 has a third value.
    const std::vector<Entry> entries{
        {11, 21, 31}, {12, 22, 32, 10}, {13, 23, 33, 3}, {14, 24, 34, 10}};
    Map(6, {Block{0, entries}}, 0x4A);
    const kv::CrosspointEntry& e = Out(6);
    EXPECT_EQ(Numbers({e.Count, e.MarkedCount, e.Sources[1], e.Values2[1], e.Values3[1]}),
              Numbers({4, 2, 13, 23, 33}));
    EXPECT_EQ(Numbers({e.MarkedSources[1], e.MarkedValues2[1], e.MarkedValues3[0]}),
              Numbers({14, 24, 32}));
    std::vector<Entry> most(32, Entry{1, 2, 0, 10});  // 32 marked entries are allowed
    most.push_back({3, 4});
    Map(7, {Block{0, most}}, 0x40);
    EXPECT_EQ(Numbers({Out(7).MarkedCount, Out(7).Sources[0]}), Numbers({32, 3}));
    EXPECT_EQ(v.PendingInfoMask, 0);
    EXPECT_EQ(LogCount(), 0);
}

TEST_F(TablesTest, TalkerIsTheInputThatJoinedLastAtLevelOne) {
    const std::pair<Block, int16_t> steps[] = {
        {Sources(1, {7, 9}), 7}, {Sources(1, {7, 9, 4}), 4}, {Sources(1, {9}), 4},
        {Sources(1, {9}), 9},    {Sources(1, {9, 3}), 3},    {Sources(0, {5}), 3},
        {Sources(1, {5, 3}), 5},
    };
    for (const auto& [block, talker] : steps) {
        Map(2, {block});
        EXPECT_EQ(Out(2).Talker, talker) << ::testing::PrintToString(block.Entries.size());
    }
}

TEST_F(TablesTest, MalformedTablesChangeNothingAndImpossibleOnesAreLogged) {
    const Bytes names = AlphaTable(20, 2, 0, {{"B", 0}, {"A", 1}});
    Bytes longCount(names.begin() + 1, names.end() - 2);  // three records announced, two sent
    longCount[2] = 3;
    Block claimsThree = Sources(0, {1, 2});
    claimsThree.Count = 3;
    std::vector<Entry> marked(33, Entry{2, 0, 0, 10});
    marked.insert(marked.begin(), Entry{8});
    const Bytes map = CrosspointMap(0, 3, {Sources(0, {5})});
    Bytes stray = map;  // a byte after the block, checksum right
    stray.insert(stray.end() - 2, 0);
    const auto badSum = [](Bytes m) {
        m[m.size() - 2] ^= 1;
        return m;
    };
    const std::pair<Bytes, int> rows[] = {
        {Framed(0xFC, longCount), 0},
        {badSum(names), 0},
        {{0xFC, 0x00, 0xFF}, 0},
        {AlphaTable(30, 2, 0, {{"B", 0}, {"A", 1}}), 0},  // an unknown type
        {AlphaTable(20, 2, 0, {{"A", 0}, {"B", 2}}), 1},  // station outside the table
        {CrosspointMap(0, 3, {Sources(0, {5}), Block{0, std::vector<Entry>(65, {1})}}), 0},
        {CrosspointMap(0x40, 4, {Block{1, marked}}), 0},
        {CrosspointMap(0, 3, {Sources(0, {5}), claimsThree}), 0},
        {stray, 0},
        {badSum(map), 0},
        {CrosspointMap(0, 9, {Sources(0, {5})}), 0},  // starts past the switcher
        {CrosspointMap(0, 8, {Sources(0, {5})}), 1},  // starts just past it
        {{0xF6, 0x00, 0xFF}, 0},
        {CrosspointMap(0, 7, {Sources(0, {5}), Sources(0, {5})}), 1},  // runs past it
        {AlphaTable(20, 2, 0, {}), 1},                                 // no outputs
    };
    for (const auto& [message, logs] : rows) {
        Map(3, {Sources(0, {5})});
        v.PendingInfoMask = 0x380;
        const int before = LogCount();
        Receive(message);
        EXPECT_EQ(Out(3).Sources[0], 5) << ::testing::PrintToString(message);
        EXPECT_EQ(v.NumOutputs, 8);
        EXPECT_EQ(v.PendingInfoMask, 0x380);
        EXPECT_EQ(LogCount() - before, logs);
    }
}

TEST_F(TablesTest, OnlyAMapOfTheOwnOutputAloneOrOfTheWholeSwitcherIsShown) {
    w.InputWindowText = "NoSystem";
    v.ButtonTable[1] = {kv::kTalk, 6, kv::kFalse, 0, 0, {}, 0};  // the caller's Talk button
    v.ButtonTable[0] = {kv::kListen, 9, kv::kFalse, 0, 1, {}, 0};
    Map(1, {Sources(0, {}), Sources(1, {9}), Sources(0, {})});
    Map(3, {Sources(1, {9})});
    EXPECT_EQ(Out(2).Talker, 9);
    EXPECT_EQ(w.InputWindowText, "NoSystem");
    EXPECT_EQ(v.ButtonTable[1].CallFlash, kv::kFalse);
    Map(2, {Sources(1, {9})});
    EXPECT_EQ(v.LastCaller, 6);
    EXPECT_EQ(w.InputWindowText, "O6");
    EXPECT_EQ(v.ButtonTable[1].CallFlash, kv::kTrue);
    EXPECT_EQ(v.ButtonTable[0].State, 0);
    // The first and the last output are shown; a station past the switcher is none.
    v.IcomChannel[10] = 0;
    v.IcomChannel[11] = 7;
    v.IcomChannel[12] = 8;
    for (const auto& [talker, shown] : {std::pair{10, "O0"}, {11, "O7"}, {12, ""}}) {
        Map(2, {Sources(1, {talker})});
        EXPECT_EQ(w.InputWindowText, shown) << talker;
    }
    EXPECT_EQ(LogCount(), 0);
    // The whole switcher, the own output at level 0: the Listen button lights, no caller.
    std::vector<Block> all(8, Sources(0, {}));
    all[2] = Sources(0, {9});
    v.LastCaller = kv::kNoStation;
    Map(0, all);
    EXPECT_EQ(v.LastCaller, kv::kNoStation);
    EXPECT_EQ(v.ButtonTable[0].State, 1);
}

}  // namespace
