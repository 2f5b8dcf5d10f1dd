#include "display/station_display.h"

#include <gtest/gtest.h>

#include "link_fixture.h"

namespace {

using StationDisplayTest = LinkTest;

TEST_F(StationDisplayTest, UpdateDisplayShowsTheTalkersStation) {
    v.CrosspointMap.resize(4);
    v.IcomChannel.assign(8, kv::kNoStation);
    v.IcomChannel[5] = 3;
    kv::CrosspointEntry& own = v.CrosspointMap[1];
    own.Talker = 5;

    own.Count = 0;  // nobody on the own output: the last caller stays
    v.LastCaller = 2;
    w.InputWindowText = "Old";
    kv::UpdateDisplay(v, w);
    EXPECT_EQ(v.LastCaller, 2);
    EXPECT_EQ(w.InputWindowText, "Old");

    own.Count = 1;
    kv::UpdateDisplay(v, w);
    EXPECT_EQ(v.LastCaller, 3);
    EXPECT_EQ(w.InputWindowText, v.OutputNames[static_cast<std::size_t>(v.OutputIndexes[3])]);

    own.Talker = 4;  // no intercom channel for this input
    kv::UpdateDisplay(v, w);
    EXPECT_EQ(v.LastCaller, kv::kNoStation);
    EXPECT_EQ(w.InputWindowText, "");

    v.IcomChannel[4] = 300;  // not an output of this switcher
    v.LastCaller = 1;
    kv::UpdateDisplay(v, w);
    EXPECT_EQ(v.LastCaller, kv::kNoStation);
    EXPECT_EQ(LogEntries(), 0);

    own.Talker = 20;  // outside the channel table
    kv::UpdateDisplay(v, w);
    EXPECT_EQ(LogCount("Error Updating Display"), 1);
    EXPECT_EQ(LogCount("Program Error"), 1);
}

TEST_F(StationDisplayTest, LoadStationComboListsNumbersUntilConnected) {
    w.StationVisible = true;
    w.PresetWindowVisible = false;
    v.DialIndex = 7;
    const uint32_t revision = w.StationRowsRevision;
    kv::LoadStationCombo(v, w);
    ASSERT_EQ(w.StationRows.size(), 256u);
    EXPECT_EQ(w.StationRows.front(), "Out 0001");
    EXPECT_EQ(w.StationRows.back(), "Out 0256");
    EXPECT_EQ(w.StationRowsRevision, revision + 1);
    EXPECT_EQ(w.StationSelected, 0);
    EXPECT_EQ(v.DialIndex, 0);
    EXPECT_EQ(w.PresetWindowText, v.OutputNames[0]);
    EXPECT_FALSE(w.StationVisible);
    EXPECT_TRUE(w.PresetWindowVisible);

    v.Connected = kv::kTrue;
    v.OutputNames[1] = "Studio B";
    kv::LoadStationCombo(v, w);
    EXPECT_EQ(w.StationRows[1], "Studio B");
    EXPECT_EQ(w.StationRowsRevision, revision + 2);

    v.NumOutputs = 300;  // more outputs than names: reported, the combo is kept whole
    kv::LoadStationCombo(v, w);
    EXPECT_EQ(w.StationRows.size(), 256u);
    EXPECT_EQ(LogCount("Error Loading Station Combo"), 1);
}

}  // namespace
