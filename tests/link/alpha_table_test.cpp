#include "link/alpha_table.h"

#include <gtest/gtest.h>

#include "link_fixture.h"
#include "messages.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Names = std::vector<std::string>;
using Numbers = std::vector<int16_t>;

class AlphaTableTest : public LinkTest {
protected:
    AlphaTableTest() {
        v.PendingInfoMask = 0x380;
        v.Connected = kv::kTrue;
        v.AssignedOutput = 0;
        v.AssignedInput = 0;
    }
};

TEST_F(AlphaTableTest, OutputNamesAreSortedWithTheirNumbersAndShown) {
    kv::ProcessAlphaTable(c, msg::AlphaTable(20, 5, 0, {{"Beta", 0}, {"Alpha", 1}}));
    EXPECT_EQ(v.OutputNames, (Names{"Alpha", "Beta "}));
    EXPECT_EQ(v.OutputNumbers, (Numbers{1, 0}));
    EXPECT_EQ(v.OutputIndexes, (Numbers{1, 0}));
    EXPECT_EQ(v.NumOutputs, 2);
    EXPECT_EQ(v.CrosspointMap.size(), 2u);
    EXPECT_EQ(v.AssignedOutputIndex, 1);
    EXPECT_EQ(w.StatusPanel1, "Intercom Station Assignment (Beta ) ");
    EXPECT_EQ(v.PendingInfoMask, 0x180);

    // The station combo was refilled from the new names.
    EXPECT_EQ(w.StationRows, (Names{"Alpha", "Beta "}));
    EXPECT_EQ(w.StationSelected, 0);
    EXPECT_EQ(w.PresetWindowText, "Alpha");
    EXPECT_FALSE(w.StationVisible);
    EXPECT_TRUE(w.PresetWindowVisible);
    EXPECT_EQ(LogEntries(), 0);
}

TEST_F(AlphaTableTest, ResizingTheMapKeepsTheRecordsOfOutputsThatRemain) {
    v.CrosspointMap[0].Talker = 42;
    kv::ProcessAlphaTable(c, msg::AlphaTable(20, 3, 0, {{"C", 2}, {"B", 1}, {"A", 0}}));
    ASSERT_EQ(v.CrosspointMap.size(), 3u);
    EXPECT_EQ(v.CrosspointMap[0].Talker, 42);
    kv::ProcessAlphaTable(c, msg::AlphaTable(20, 3, 0, {{"B", 1}, {"A", 0}}));
    EXPECT_EQ(v.CrosspointMap.size(), 2u);
    EXPECT_EQ(v.CrosspointMap[0].Talker, 42);
}

TEST_F(AlphaTableTest, RecordsBeforeTheFirstToTakeStayEmptyAndSortFirst) {
    kv::ProcessAlphaTable(
        c, msg::AlphaTable(10, 4, 2, {{"Xxxx", 3}, {"Yyyy", 2}, {"Dan", 1}, {"Cal", 0}}));
    EXPECT_EQ(v.InputNames, (Names{"", "", "Cal ", "Dan "}));
    EXPECT_EQ(v.InputNumbers, (Numbers{0, 0, 0, 1}));
    EXPECT_EQ(v.NumInputs, 4);
    EXPECT_EQ(v.AssignedInputIndex, v.InputIndexes[0]);
    EXPECT_EQ(v.InputIndexes[1], 3);
    EXPECT_EQ(v.PendingInfoMask, 0x280);
    EXPECT_EQ(v.NumOutputs, 256);  // the outputs are untouched
}

TEST_F(AlphaTableTest, WrongLengthChecksumOrTypeIsDroppedSilently) {
    const Names before = v.OutputNames;
    Bytes shortOne = msg::AlphaTable(20, 5, 0, {{"Beta", 0}, {"Alpha", 1}});
    shortOne.erase(shortOne.begin() + 8);  // one byte short; fix the checksum
    unsigned sum = 0;
    for (std::size_t i = 1; i + 2 < shortOne.size(); ++i) {
        sum += shortOne[i];
    }
    shortOne[shortOne.size() - 2] = static_cast<uint8_t>(sum % 128);
    kv::ProcessAlphaTable(c, shortOne);

    Bytes badSum = msg::AlphaTable(20, 5, 0, {{"Beta", 0}, {"Alpha", 1}});
    badSum[badSum.size() - 2] = static_cast<uint8_t>((badSum[badSum.size() - 2] + 1) % 128);
    kv::ProcessAlphaTable(c, badSum);
    kv::ProcessAlphaTable(c, Bytes{0xFC, 0x00, 0xFF});

    kv::ProcessAlphaTable(c, msg::AlphaTable(30, 5, 0, {{"Beta", 0}, {"Alpha", 1}}));
    EXPECT_EQ(v.OutputNames, before);
    EXPECT_EQ(v.NumOutputs, 256);
    EXPECT_EQ(v.PendingInfoMask, 0x380);
    EXPECT_EQ(LogEntries(), 0);
}

TEST_F(AlphaTableTest, StationNumberOutsideTheTableIsAFailure) {
    kv::ProcessAlphaTable(c, msg::AlphaTable(20, 3, 0, {{"A", 0}, {"B", 2}}));
    EXPECT_EQ(LogCount("Error Processing Alpha Table"), 1);
    EXPECT_EQ(LogCount("Message Error"), 1);
    EXPECT_EQ(v.NumOutputs, 256);
    EXPECT_EQ(v.PendingInfoMask, 0x380);
}

TEST_F(AlphaTableTest, EmptyTableEmptiesTheListsAndIsAFailure) {
    kv::ProcessAlphaTable(c, msg::AlphaTable(10, 4, 0, {}));
    EXPECT_TRUE(v.InputNames.empty());
    EXPECT_TRUE(v.InputNumbers.empty());
    EXPECT_TRUE(v.InputIndexes.empty());
    EXPECT_EQ(v.NumInputs, 0);
    EXPECT_EQ(v.PendingInfoMask, 0x380);

    kv::ProcessAlphaTable(c, msg::AlphaTable(20, 4, 0, {}));
    EXPECT_TRUE(v.OutputNames.empty());
    EXPECT_TRUE(v.OutputIndexes.empty());
    EXPECT_EQ(v.NumOutputs, 256);
    EXPECT_EQ(v.PendingInfoMask, 0x380);
    EXPECT_EQ(LogCount("Error Processing Alpha Table"), 2);
}

TEST_F(AlphaTableTest, OwnOutputMissingFromTheNewTableLeavesTheRequestPending) {
    v.AssignedOutput = 5;
    kv::ProcessAlphaTable(c, msg::AlphaTable(20, 1, 0, {{"A", 0}, {"B", 1}}));
    EXPECT_EQ(v.NumOutputs, 2);
    EXPECT_EQ(v.PendingInfoMask & 0x200, 0x200);
    EXPECT_EQ(LogCount("Error Processing Alpha Table"), 1);
}

}  // namespace
