#include "diag/about.h"

#include <gtest/gtest.h>

// Station tables as the server sends them: sorted names, numbers per position. The tables
// alone are not a connection; an own output outside them is shown as unknown.
TEST(AboutWindow, ShowsTheSetupAsItIsAtEachShowing) {
    kv::IntercVariables v;
    v.RefreshRate = 1;
    v.TimeOut = -3;
    const kv::AboutWindow a = kv::ActivateAbout(v);
    EXPECT_EQ(std::tuple(a.ServerLocation, a.OutputControlled, a.Rate, a.TimeOut),
              std::tuple("Not Specified", "Not Connected", "1 Seconds", "-3 Seconds"));
    v.OutputNames = {"Booth", "Desk", "Studio"};
    v.OutputNumbers = {4, 0, 11, 5};
    v.AssignedOutput = 6;
    v.IPAddress = "10.0.0.5";
    for (const auto& [index, text] : {std::pair<int16_t, std::string>{2, "Output 12 - (Studio)"},
                                      {0, "Output 5 - (Booth)"},
                                      {-1, "Output 7 - (Unknown)"},
                                      {3, "Output 7 - (Unknown)"}}) {
        v.AssignedOutputIndex = index;
        v.Connected = kv::kFalse;
        const std::string before = kv::ActivateAbout(v).OutputControlled;
        v.Connected = kv::kTrue;
        EXPECT_EQ(std::tuple(before, kv::ActivateAbout(v).OutputControlled,
                             kv::ActivateAbout(v).ServerLocation),
                  std::tuple("Not Connected", text, "10.0.0.5"));
    }
}

TEST(AboutWindow, NamesTheFilesInUse) {
    kv::IntercVariables v;
    v.ProgramDirectory = "/opt/kv/";
    const char* const beside =
        "Configuration file: /opt/kv/zebntpnl.ini\nError log: /opt/kv/Errorlog.txt\n"
        "Help file: /opt/kv/Intercom.HLP";
    EXPECT_EQ(kv::ActivateAbout(v).Files, beside);
    v.ConfigDirectory = "/h/.config/keyvane/";
    v.LogDirectory = "/h/.local/state/keyvane/";
    v.HelpDirectory = "/usr/share/keyvane/";
    EXPECT_EQ(kv::ActivateAbout(v).Files,
              "Configuration file: /h/.config/keyvane/zebntpnl.ini\n"
              "Error log: /h/.local/state/keyvane/Errorlog.txt\n"
              "Help file: /usr/share/keyvane/Intercom.HLP");
}
