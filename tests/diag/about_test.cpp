#include "diag/about.h"

#include <gtest/gtest.h>

using kv::kFalse;
using kv::kTrue;

TEST(AboutWindow, ShowsTheSetupAsItIsAtEachShowing) {
    kv::IntercVariables v;
    v.RefreshRate = 1;
    v.TimeOut = 20;
    kv::AboutWindow a = kv::ActivateAbout(v);
    EXPECT_EQ(a.ServerLocation, "Not Specified");
    EXPECT_EQ(a.OutputControlled, "Not Connected");
    EXPECT_EQ(a.Rate, "1 Seconds");
    EXPECT_EQ(a.TimeOut, "20 Seconds");
    EXPECT_EQ(a.VersionInfo, "Intercom Keyvane\nVersion 2.05 - 03/30/2020");

    // Station tables as the server sends them: sorted names, numbers per position.
    v.OutputNames = {"Booth", "Desk", "Studio"};
    v.OutputNumbers = {4, 0, 11};
    v.AssignedOutputIndex = 2;
    v.IPAddress = "10.0.0.5";
    v.RefreshRate = 32000;
    v.TimeOut = -3;
    a = kv::ActivateAbout(v);
    EXPECT_EQ(a.ServerLocation, "10.0.0.5");
    EXPECT_EQ(a.OutputControlled, "Not Connected");  // the tables alone are not a connection
    EXPECT_EQ(a.Rate, "32000 Seconds");
    EXPECT_EQ(a.TimeOut, "-3 Seconds");

    v.Connected = kTrue;
    EXPECT_EQ(kv::ActivateAbout(v).OutputControlled, "Output 12 - (Studio)");
    v.AssignedOutputIndex = 1;
    EXPECT_EQ(kv::ActivateAbout(v).OutputControlled, "Output 1 - (Desk)");
    v.Connected = kFalse;
    EXPECT_EQ(kv::ActivateAbout(v).OutputControlled, "Not Connected");
}

TEST(AboutWindow, AnOwnOutputOutsideTheStationTablesIsShownAsUnknown) {
    kv::IntercVariables v;
    v.Connected = kTrue;
    v.AssignedOutput = 6;
    v.OutputNames = {"A", "B"};
    v.OutputNumbers = {0, 1, 2};
    for (const int16_t index : {int16_t{-1}, int16_t{2}, int16_t{300}}) {
        v.AssignedOutputIndex = index;
        EXPECT_EQ(kv::ActivateAbout(v).OutputControlled, "Output 7 - (Unknown)") << index;
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
