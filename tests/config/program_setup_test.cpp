#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "config_panel.h"

namespace kv {
namespace {

TEST(ProgramSetup, EveryItemGetsItsStartingValue) {
    ConfigPanel p;
    IntercVariables& v = p.v;
    MainWindowView& w = p.w;
    // Left over from an earlier run in the same record.
    v.UserName = "left";
    v.Password = "over";
    v.LoggedIn = kTrue;
    v.IPAddress = "10.0.0.9";
    v.AssignedInputIndex = 33;
    v.CrosspointMap.resize(40);
    v.ButtonLabels.assign(3, ButtonLabel{"x", "y"});
    w.PollEnabled = true;
    w.StationVisible = true;
    w.Buttons[2].BackColour = kTalkColour;
    ProgramSetup(v, w, p.dir.path().string());

    EXPECT_EQ(v.ProgramDirectory, p.dir.dir());
    p.Expect(
        "top=-1;out=1;in=1;outIdx=0;inIdx=33;user=;pw=;addr=10.0.0.9;port=1250;count=8;buttons=9;"
        "labels=9;refresh=1;timeout=20;flash=500;hang=20;tick=500;ticks=2;poll=500;b8.list=0");
    EXPECT_EQ(std::tuple(v.LastCaller, v.DialIndex, v.CallerTextColour, v.PresetTextColour,
                         v.LoggedIn, v.CrosspointMap.size(), v.CrosspointMap[0].Count),
              std::tuple(kNoStation, 0, 12, 7, kFalse, 1u, 0));
    EXPECT_EQ(std::tuple(v.NumInputs, v.NumOutputs, v.InputNames.size(), v.OutputNames.size(),
                         v.IcomChannel.size()),
              std::tuple(256, 256, 256u, 256u, 256u));
    EXPECT_EQ(std::tuple(v.InputNames[0], v.InputNames[255], v.OutputNames[0], v.OutputNames[99]),
              std::tuple("Inpt0001", "Inpt0256", "Out 0001", "Out 0100"));
    EXPECT_EQ(std::tuple(v.InputNumbers[0], v.OutputIndexes[0], v.OutputNumbers[255],
                         v.InputIndexes[255], v.IcomChannel[0], v.IcomChannel[255]),
              std::tuple(1, 1, 256, 256, kNoStation, kNoStation));
    for (int i = 0; i < 8; ++i) {
        const std::string caption = "Button " + std::to_string(i + 1);
        EXPECT_EQ(
            std::tuple(w.Buttons[i].Caption, w.Buttons[i].BackColour == kOffColour,
                       v.ButtonLabels[i].Line1, v.ButtonLabels[i].Line2, v.ButtonTable[i].Type,
                       v.ButtonTable[i].List, v.ButtonTable[i].ListCount),
            std::tuple(caption, true, caption, "", kListen, std::vector<int16_t>{1}, 0));
    }
    EXPECT_EQ(v.ButtonLabels[8].Line1, "");
    EXPECT_TRUE(v.ButtonTable[8].List.empty());
    EXPECT_EQ(std::tuple(w.PollEnabled, w.StationVisible, w.InputWindowText, w.PresetWindowText,
                         w.InputWindowTextColour, w.PresetWindowTextColour),
              std::tuple(false, false, "NoSystem", "NoSystem", 12, 7));
    EXPECT_FALSE(p.dir.Exists(kErrorLogName));
}

TEST(ProgramSetup, ProgramDirectoryEndsInExactlyOneSeparator) {
    const std::pair<std::string, std::string> cases[] = {{"/opt/keyvane", "/opt/keyvane/"},
                                                         {"/opt/keyvane/", "/opt/keyvane/"},
                                                         {"/opt/keyvane///", "/opt/keyvane/"},
                                                         {"/", "/"},
                                                         {"//", "/"},
                                                         {"", "./"}};
    for (const auto& [given, directory] : cases) {
        EXPECT_EQ(WithTrailingSeparator(given), directory) << given;
    }
    const std::string running = RunningProgramDirectory();
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(running) / "config_tests"));
}

}  // namespace
}  // namespace kv
