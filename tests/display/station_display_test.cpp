#include "display/station_display.h"

#include <gtest/gtest.h>

#include "link_fixture.h"

namespace {

using StationDisplayTest = LinkTest;

TEST_F(StationDisplayTest, UpdateDisplayShowsTheStationOfTheOwnOutputsTalker) {
    v.CrosspointMap.resize(2);  // own output 1
    v.IcomChannel.assign(8, kv::kNoStation);
    v.NumOutputs = 4;
    v.IcomChannel[1] = 0;  // the first output
    v.IcomChannel[5] = 3;  // the last
    v.IcomChannel[6] = 4;  // not an output of this switcher
    struct Row {
        uint8_t count;
        int16_t talker, caller;
        std::string shown;
        int logs;
    };
    const Row rows[] = {
        {0, 5, 2, "Old", 0},  // nobody on the own output: all stays
        {1, 5, 3, v.OutputNames[static_cast<std::size_t>(v.OutputIndexes[3])], 0},
        {1, 1, 0, v.OutputNames[static_cast<std::size_t>(v.OutputIndexes[0])], 0},
        {1, 4, kv::kNoStation, "", 0},  // no station for this input
        {1, 6, kv::kNoStation, "", 0},
        {1, 20, 2, "Old", 1},  // outside the channel table
    };
    for (const Row& row : rows) {
        v.CrosspointMap[1].Count = row.count;
        v.CrosspointMap[1].Talker = row.talker;
        v.LastCaller = 2;
        w.InputWindowText = "Old";
        kv::UpdateDisplay(v, w);
        EXPECT_EQ(v.LastCaller, row.caller) << row.talker;
        EXPECT_EQ(w.InputWindowText, row.shown) << row.talker;
        EXPECT_EQ(LogCount("Error Updating Display"), row.logs);
    }
}

}  // namespace
