#include <gtest/gtest.h>

#include <filesystem>

#include "config/program_setup.h"
#include "temp_dir.h"

namespace kv {
namespace {

TEST(ProgramSetup, EveryItemGetsItsStartingValue) {
    TempDir dir;
    IntercVariables v;
    MainWindowView w;
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
    ProgramSetup(v, w, dir.path().string());

    EXPECT_EQ(v.ProgramDirectory, dir.dir());
    EXPECT_EQ(v.StayOnTop, -1);
    EXPECT_EQ(v.AssignedOutput, 1);
    EXPECT_EQ(v.AssignedInput, 1);
    EXPECT_EQ(v.AssignedOutputIndex, 0);
    EXPECT_EQ(v.AssignedInputIndex, 33);  // not a setup item
    EXPECT_EQ(v.LastCaller, kNoStation);
    EXPECT_EQ(v.DialIndex, 0);
    EXPECT_EQ(v.CallerTextColour, 12);
    EXPECT_EQ(v.PresetTextColour, 7);
    EXPECT_EQ(v.LoggedIn, kFalse);
    EXPECT_EQ(v.UserName, "");
    EXPECT_EQ(v.Password, "");
    EXPECT_EQ(v.IPAddress, "10.0.0.9");
    EXPECT_EQ(v.IPPort, 1250);
    ASSERT_EQ(v.CrosspointMap.size(), 1u);
    EXPECT_EQ(v.CrosspointMap[0].Count, 0);

    EXPECT_EQ(v.NumInputs, 256);
    EXPECT_EQ(v.NumOutputs, 256);
    ASSERT_EQ(v.InputNames.size(), 256u);
    ASSERT_EQ(v.OutputNames.size(), 256u);
    EXPECT_EQ(v.InputNames[0], "Inpt0001");
    EXPECT_EQ(v.InputNames[255], "Inpt0256");
    EXPECT_EQ(v.OutputNames[0], "Out 0001");
    EXPECT_EQ(v.OutputNames[99], "Out 0100");
    EXPECT_EQ(v.InputNumbers[0], 1);
    EXPECT_EQ(v.OutputIndexes[0], 1);
    EXPECT_EQ(v.OutputNumbers[255], 256);
    EXPECT_EQ(v.InputIndexes[255], 256);
    ASSERT_EQ(v.IcomChannel.size(), 256u);
    EXPECT_EQ(v.IcomChannel[0], kNoStation);
    EXPECT_EQ(v.IcomChannel[255], kNoStation);

    EXPECT_EQ(v.ButtonCount, 8);
    ASSERT_EQ(v.ButtonTable.size(), 9u);
    ASSERT_EQ(v.ButtonLabels.size(), 9u);
    for (int i = 0; i < 8; ++i) {
        const std::string caption = "Button " + std::to_string(i + 1);
        EXPECT_EQ(w.Buttons[i].Caption, caption);
        EXPECT_EQ(w.Buttons[i].BackColour, kOffColour);
        EXPECT_EQ(v.ButtonLabels[i].Line1, caption);
        EXPECT_EQ(v.ButtonLabels[i].Line2, "");
        EXPECT_EQ(v.ButtonTable[i].Type, kListen);
        EXPECT_EQ(v.ButtonTable[i].List, std::vector<int16_t>{1});
        EXPECT_EQ(v.ButtonTable[i].ListCount, 0);
    }
    EXPECT_EQ(v.ButtonLabels[8].Line1, "");
    EXPECT_TRUE(v.ButtonTable[8].List.empty());

    EXPECT_EQ(v.RefreshRate, 1);
    EXPECT_EQ(v.TimeOut, 20);
    EXPECT_EQ(v.FlashRate, 500);
    EXPECT_EQ(v.OverHang, 20);
    EXPECT_EQ(v.TickInterval, 500);
    EXPECT_EQ(v.TicksPerPoll, 2);
    EXPECT_EQ(w.PollInterval, 500);
    EXPECT_FALSE(w.PollEnabled);

    EXPECT_EQ(w.InputWindowText, "NoSystem");
    EXPECT_EQ(w.PresetWindowText, "NoSystem");
    EXPECT_EQ(w.InputWindowTextColour, 12);
    EXPECT_EQ(w.PresetWindowTextColour, 7);
    EXPECT_FALSE(w.StationVisible);
    EXPECT_FALSE(dir.Exists("Errorlog.txt"));
}

TEST(ProgramSetup, ProgramDirectoryEndsInExactlyOneSeparator) {
    EXPECT_EQ(WithTrailingSeparator("/opt/keyvane"), "/opt/keyvane/");
    EXPECT_EQ(WithTrailingSeparator("/opt/keyvane/"), "/opt/keyvane/");
    EXPECT_EQ(WithTrailingSeparator("/opt/keyvane///"), "/opt/keyvane/");
    EXPECT_EQ(WithTrailingSeparator("/"), "/");
    EXPECT_EQ(WithTrailingSeparator("//"), "/");
    EXPECT_EQ(WithTrailingSeparator(""), "./");

    TempDir dir;
    IntercVariables v;
    MainWindowView w;
    ProgramSetup(v, w, dir.dir());
    EXPECT_EQ(v.ProgramDirectory, dir.dir());

    const std::string running = RunningProgramDirectory();
    EXPECT_TRUE(std::filesystem::is_directory(running));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(running) / "config_tests"));
}

}  // namespace
}  // namespace kv
