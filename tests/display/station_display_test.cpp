#include "display/station_display.h"

#include <gtest/gtest.h>

#include "link_fixture.h"

namespace {

using StationDisplayTest = LinkTest;

TEST_F(StationDisplayTest, UpdateDisplayShowsTheStationOfTheOwnOutputsTalker) {
    v.CrosspointMap.resize(2);  // own output 1, of four listed in reverse
    v.NumOutputs = 4;
    v.OutputNames = {"D", "C", "B", "A"};
    v.OutputIndexes = {3, 2, 1, 0};
    v.IcomChannel = {0, 3, 4, kv::kNoStation};  // the stations of inputs 0 to 3
    struct Row {
        uint8_t count;
        int16_t talker, caller;
        const char* shown;
    };
    const Row rows[] = {{0, 1, 2, "Old"},  // nobody on the own output: nothing changes
                        {1, 0, 0, "A"},
                        {1, 1, 3, "D"},
                        {1, 2, kv::kNoStation, ""},  // not an output of this switcher
                        {1, 3, kv::kNoStation, ""},
                        {1, 9, 2, "Old"}};  // outside the channel table: a failure
    for (const Row& row : rows) {
        v.CrosspointMap[1].Count = row.count;
        v.CrosspointMap[1].Talker = row.talker;
        v.LastCaller = 2;
        w.InputWindowText = "Old";
        kv::UpdateDisplay(v, w);
        EXPECT_EQ(v.LastCaller, row.caller) << row.talker;
        EXPECT_EQ(w.InputWindowText, row.shown) << row.talker;
    }
    EXPECT_EQ(LogCount("Error Updating Display"), 1);
}

}  // namespace
