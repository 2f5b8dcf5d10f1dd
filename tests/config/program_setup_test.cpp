#include <gtest/gtest.h>

#include <filesystem>

#include "config_panel.h"

namespace kv {
namespace {

TEST(ProgramSetup, EveryItemGetsItsStartingValue) {
    ConfigPanel p;
    IntercVariables& v = p.v;
    // Left over from an earlier run in the same record.
    v.UserName = v.Password = "left over";
    v.LoggedIn = kTrue;
    v.IPAddress = "10.0.0.9";
    v.AssignedInputIndex = 33;
    v.CrosspointMap.resize(40);
    v.ButtonLabels.assign(3, ButtonLabel{"x", "y"});
    p.w.PollEnabled = p.w.StationVisible = true;
    p.w.Buttons[2].BackColour = kTalkColour;
    ProgramSetup(v, p.w, p.dir.path().string());

    EXPECT_EQ(v.ProgramDirectory, p.dir.dir());
    p.Expect(
        "top=-1;out=1;in=1;outIdx=0;inIdx=33;user=;pw=;addr=10.0.0.9;port=1250;count=8;buttons=9;"
        "labels=9;refresh=1;timeout=20;flash=500;hang=20;tick=500;ticks=2;poll=500;b8.list=0;"
        "b0.caption=Button 1;b0.line1=Button 1;b7.caption=Button 8;b7.line1=Button 8;b0.type=0");
    EXPECT_EQ(
        std::tuple(v.LastCaller, v.CallerTextColour, v.LoggedIn, v.CrosspointMap.size(),
                   v.InputNames.back(), v.OutputNames[99], v.InputNumbers[0], v.OutputIndexes[255],
                   v.IcomChannel.size(), v.IcomChannel[255]),
        std::tuple(kNoStation, 12, kFalse, 1u, "Inpt0256", "Out 0100", 1, 256, 256u, kNoStation));
    EXPECT_EQ(std::tuple(v.ButtonTable[7].List, p.w.Buttons[2].BackColour == kOffColour,
                         p.w.PollEnabled, p.w.StationVisible, p.w.PresetWindowText),
              std::tuple(std::vector<int16_t>{1}, true, false, false, "NoSystem"));
    EXPECT_FALSE(p.dir.Exists(kErrorLogName));
}

// How the directory's separator is ended is checked with the help file's path.
TEST(ProgramSetup, RunningProgramDirectoryHoldsTheProgram) {
    EXPECT_TRUE(std::filesystem::exists(RunningProgramDirectory() + "/config_tests"));
}

}  // namespace
}  // namespace kv
