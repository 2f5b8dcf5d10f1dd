#include "diag/about.h"

#include <gtest/gtest.h>

TEST(AboutWindow, ShowsTheSetupAsItIsAtEachShowing) {
    kv::IntercVariables v;
    v.RefreshRate = 1;
    v.TimeOut = -3;
    kv::AboutWindow a = kv::ActivateAbout(v);
    EXPECT_EQ(std::tuple(a.ServerLocation, a.OutputControlled, a.Rate, a.TimeOut, a.VersionInfo),
              std::tuple("Not Specified", "Not Connected", "1 Seconds", "-3 Seconds",
                         "Intercom Keyvane\nVersion 2.05 - 03/30/2020"));

    // Station tables as the server sends them: sorted names, numbers per position. The tables
    // alone are not a connection; an own output outside them is shown as unknown.
    v.OutputNames = {"Booth", "Desk", "Studio"};
    v.OutputNumbers = {4, 0, 11, 5};
    v.AssignedOutput = 6;
    v.IPAddress = "10.0.0.5";
    const std::pair<int16_t, std::string> shown[] = {{2, "Output 12 - (Studio)"},
                                                     {0, "Output 5 - (Booth)"},
                                                     {-1, "Output 7 - (Unknown)"},
                                                     {3, "Output 7 - (Unknown)"},
                                                     {300, "Output 7 - (Unknown)"}};
    for (const auto& [index, text] : shown) {
        v.AssignedOutputIndex = index;
        v.Connected = kv::kFalse;
        EXPECT_EQ(kv::ActivateAbout(v).OutputControlled, "Not Connected");
        v.Connected = kv::kTrue;
        EXPECT_EQ(kv::ActivateAbout(v).OutputControlled, text) << index;
    }
    EXPECT_EQ(kv::ActivateAbout(v).ServerLocation, "10.0.0.5");
}
