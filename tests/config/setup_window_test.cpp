#include "config/setup_window.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialog_fakes.h"

using kv::platform::MessageIcon;

namespace {

struct SetupPanel : TestPanel {
    kv::SetupWindow f;

    void Open() {
        f.Tag = kv::kSetupTagInitial;
        kv::ActivateSetupWindow(s, f);
    }
    void Ok() { kv::SetupOk(s, f); }
};

TEST(SetupWindow, ActivationBeforeTheFirstPollShowsNotConnectedAndOkKeepsTheStations) {
    SetupPanel t;
    t.v.FlashRate = 250;
    t.v.OverHang = 10;  // 5 s
    t.v.RefreshRate = 3;
    t.v.TimeOut = 40;
    t.v.IPPort = 0;
    t.Open();

    EXPECT_EQ(t.f.IPAddrText, "0.0.0.0");
    EXPECT_EQ(t.v.IPAddress, "0.0.0.0");
    EXPECT_EQ(t.f.IPPortText, "1250");
    EXPECT_EQ(t.v.IPPort, 1250);
    EXPECT_EQ(t.f.OutputRows, std::vector<std::string>{"Not Connected"});
    EXPECT_EQ(t.f.InputRows, std::vector<std::string>{"Not Connected"});
    EXPECT_EQ(t.f.OutputSelected, 0);
    EXPECT_TRUE(t.f.StayOnTopChecked);
    EXPECT_EQ(t.f.Tag, "");
    EXPECT_EQ(t.v.SetupFlashRate, 500);
    EXPECT_EQ(t.v.SetupOverHang, 5);
    EXPECT_EQ(t.v.SetupRefreshRate, 3);
    EXPECT_EQ(t.v.SetupTimeOut, 40);

    // A later activation (back from a dialog) does not refill.
    t.f.IPAddrText = "10.1.1.1";
    t.v.SetupTimeOut = 99;
    kv::ActivateSetupWindow(t.s, t.f);
    EXPECT_EQ(t.f.IPAddrText, "10.1.1.1");
    EXPECT_EQ(t.v.SetupTimeOut, 99);

    t.f.IPAddrText = "0.0.0.0";
    const int16_t output = t.v.AssignedOutput;
    const int16_t input = t.v.AssignedInput;
    t.Ok();
    EXPECT_FALSE(t.f.Visible);
    EXPECT_TRUE(t.box.Boxes.empty()) << t.box.Titles();
    EXPECT_EQ(t.v.AssignedOutput, output);
    EXPECT_EQ(t.v.AssignedInput, input);
    EXPECT_EQ(t.w.StatusPanel1, "Intercom Station Assignment (NC) ");
    EXPECT_EQ(t.w.StatusPanel2, "Server Not Defined ");
    EXPECT_EQ(t.socket.ConnectCalls, 0);  // neither address nor port changed
    EXPECT_EQ(t.v.TimeOut, 99);
    EXPECT_NE(t.dir.Read("zebntpnl.ini").find("IP Address=0.0.0.0\r\nIP Port=1250\r\n"),
              std::string::npos);
}

TEST(SetupWindow, StationListsOutOfNumberOrderSelectAndStoreTheChosenStations) {
    SetupPanel t;
    t.ConnectWithTables();
    t.Open();

    EXPECT_EQ(t.f.OutputRows,
              (std::vector<std::string>{"Alpha   (ch 3)", "Bravo   (ch 1)", "Charlie   (ch 2)"}));
    EXPECT_EQ(t.f.InputRows,
              (std::vector<std::string>{"Desk   (ch 2)", "Mic A   (ch 3)", "Studio   (ch 1)"}));
    // The panel's own stations: output 0 is Bravo, input 2 is Mic A.
    EXPECT_EQ(t.f.OutputSelected, 1);
    EXPECT_EQ(t.f.InputSelected, 1);
    EXPECT_EQ(t.v.FillGuard, kv::kFalse);

    // While the fill guard is raised a selection is ignored.
    t.v.FillGuard = kv::kTrue;
    kv::SetupOutputSelected(t.v, t.f, 0);
    EXPECT_EQ(t.v.SetupOutput, 1);
    t.v.FillGuard = kv::kFalse;

    kv::SetupOutputSelected(t.v, t.f, 2);  // Charlie, station 1
    kv::SetupInputSelected(t.v, t.f, 2);   // Studio, station 0
    EXPECT_EQ(t.f.OutputSelected, 2);
    kv::SetupInputSelected(t.v, t.f, 7);  // no such row
    EXPECT_EQ(t.v.SetupInput, 2);

    t.w.InputWindowText = "Caller";
    t.Ok();
    EXPECT_FALSE(t.f.Visible) << t.box.Titles();
    EXPECT_EQ(t.v.AssignedOutput, 1);
    EXPECT_EQ(t.v.AssignedOutputIndex, 2);
    EXPECT_EQ(t.v.AssignedInput, 0);
    EXPECT_EQ(t.v.AssignedInputIndex, 2);
    EXPECT_EQ(t.w.StatusPanel1, "Intercom Station Assignment (Charlie) ");
    EXPECT_EQ(t.v.DialIndex, 0);
    EXPECT_EQ(t.w.StationSelected, 0);
    EXPECT_EQ(t.w.PresetWindowText, "Alpha");
    EXPECT_EQ(t.w.InputWindowText, "");
    EXPECT_NE(t.dir.Read("zebntpnl.ini").find("Output=2\r\nInput=1\r\n"), std::string::npos);

    // Reopened, the rows chosen are shown again; not connected, the rows are numbered.
    t.v.Connected = kv::kFalse;
    t.Open();
    EXPECT_EQ(t.f.OutputSelected, 2);
    EXPECT_EQ(t.f.InputSelected, 2);
    EXPECT_EQ(t.f.OutputRows, (std::vector<std::string>{"Out 0001", "Out 0002", "Out 0003"}));
    EXPECT_EQ(t.f.InputRows.front(), "Inpt0001");

    // A position beyond the lists selects the top row.
    t.v.AssignedOutputIndex = 40;
    t.Open();
    EXPECT_EQ(t.f.OutputSelected, 0);
}

TEST(SetupWindow, ActivationThatKeepsFailingEndsAfterThreeRestartsAndLogsOnce) {
    SetupPanel t;
    t.v.PollSent = kv::kTrue;
    t.v.Connected = kv::kTrue;
    t.v.OutputNames.clear();  // an empty output table leaves the count as it was
    t.v.IPPort = 0;
    t.Open();

    EXPECT_EQ(t.f.Tag, "");
    EXPECT_TRUE(t.f.Visible);
    EXPECT_EQ(t.v.FillGuard, kv::kFalse);
    EXPECT_EQ(t.f.IPPortText, "1250");
    EXPECT_TRUE(t.f.OutputRows.empty());
    const std::string log = t.Log();
    const std::size_t first = log.find("Error Activating Setup Window");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("Error Activating Setup Window", first + 1), std::string::npos);
    EXPECT_TRUE(t.box.Boxes.empty());
}

TEST(SetupWindow, PortOutOfRangeIsRefusedAfterTheEarlierStepsApplied) {
    for (const char* port : {"0", "65536", "", "99999999999", "-5"}) {
        SetupPanel t;
        t.Open();
        t.v.SetupTimeOut = 77;
        t.f.StayOnTopChecked = false;
        t.f.IPPortText = port;
        t.f.IPAddrText = "10.0.0.1";
        t.Ok();
        ASSERT_EQ(t.box.Boxes.size(), 1u) << port;
        EXPECT_EQ(t.box.Boxes[0].Text,
                  "Invalid IP Port #. Please reenter a number between 1 and 65535");
        EXPECT_EQ(t.box.Boxes[0].Title, "Port Error");
        EXPECT_EQ(t.box.Boxes[0].Icon, MessageIcon::None);
        EXPECT_TRUE(t.f.Visible);
        EXPECT_EQ(t.v.TimeOut, 77);
        EXPECT_EQ(t.v.StayOnTop, -2);
        EXPECT_EQ(t.v.IPAddress, "0.0.0.0");  // the address step did not run
        EXPECT_EQ(t.socket.ConnectCalls, 0);
        EXPECT_FALSE(t.dir.Exists("zebntpnl.ini"));
    }
}

TEST(SetupWindow, ServerChangesReconnectAndUnchangedServerDoesNot) {
    SetupPanel t;
    t.v.IPAddress = "192.168.1.10";
    t.v.IPPort = 1250;
    t.Open();

    // Only leading zeros differ: accepted, shown normalised, the same server.
    t.f.IPAddrText = "192.168.001.010";
    t.Ok();
    EXPECT_FALSE(t.f.Visible);
    EXPECT_EQ(t.f.IPAddrText, "192.168.1.10");
    EXPECT_EQ(t.socket.ConnectCalls, 0);

    // Changing only the port reconnects.
    t.Open();
    t.f.IPPortText = "4000";
    t.Ok();
    EXPECT_EQ(t.v.IPPort, 4000);
    EXPECT_EQ(t.socket.CloseCalls, 1);
    EXPECT_EQ(t.socket.ConnectCalls, 1);
    EXPECT_EQ(t.socket.Port, 4000);
    EXPECT_EQ(t.socket.Address, "192.168.1.10");
    EXPECT_EQ(t.w.StatusPanel2, "Server 192.168.1.10");
    EXPECT_TRUE(t.w.PollEnabled);

    // A new address, normalised before it is used.
    t.Open();
    t.f.IPAddrText = "010.0.0.300";
    t.Ok();
    EXPECT_EQ(t.v.IPAddress, "10.0.0.255");
    EXPECT_EQ(t.socket.Address, "10.0.0.255");
    EXPECT_EQ(t.socket.ConnectCalls, 2);
    EXPECT_NE(t.dir.Read("zebntpnl.ini").find("IP Address=10.0.0.255\r\nIP Port=4000\r\n"),
              std::string::npos);
    EXPECT_TRUE(t.box.Boxes.empty()) << t.box.Titles();
}

TEST(SetupWindow, MalformedAddressIsRefusedAndTheOldOneComesBack) {
    for (const char* address : {"192.168.1", "192.168.1.", "", "abc"}) {
        SetupPanel t;
        t.v.IPAddress = "10.0.0.1";
        t.Open();
        t.f.IPAddrText = address;
        t.Ok();
        ASSERT_EQ(t.box.Boxes.size(), 1u) << address;
        EXPECT_EQ(t.box.Boxes[0].Text,
                  "Please Enter IP Address In The Following Format: 192.168.1.1");
        EXPECT_EQ(t.box.Boxes[0].Title, "Data Format Error");
        EXPECT_EQ(t.box.Boxes[0].Icon, MessageIcon::Critical);
        EXPECT_EQ(t.f.IPAddrText, "10.0.0.1");
        EXPECT_TRUE(t.f.FocusIPAddr);
        EXPECT_TRUE(t.f.Visible);
        EXPECT_EQ(t.socket.ConnectCalls, 0);
    }
}

TEST(SetupWindow, CheckIPAddressReadsFourPartsLimitedToAByte) {
    const std::pair<const char*, const char*> accepted[] = {
        {"10.0.0.300", "10.0.0.255"}, {"010.1.1.1", "10.1.1.1"},          {"1.2.3.4.5", "1.2.3.4"},
        {"1..3.4", "1.0.3.4"},        {"99999999999.1.1.1", "255.1.1.1"}, {"-7.1.1.1", "0.1.1.1"},
        {"1.2.3.4abc", "1.2.3.4"},
    };
    for (const auto& [text, normalised] : accepted) {
        kv::SetupWindow f;
        f.IPAddrText = text;
        EXPECT_TRUE(kv::CheckIPAddress(f)) << text;
        EXPECT_EQ(f.IPAddrText, normalised);
    }
    for (const char* text : {"1.2.3", "1.2.3.", "1234", ""}) {
        kv::SetupWindow f;
        f.IPAddrText = text;
        EXPECT_FALSE(kv::CheckIPAddress(f)) << text;
        EXPECT_EQ(f.IPAddrText, text);
    }
}

TEST(SetupWindow, TimingRecomputesOnlyWhenChangedAndRunsEveryAcceptedValue) {
    SetupPanel t;
    t.Open();
    t.w.PollInterval = 12345;   // would be overwritten by a recompute
    t.v.SetupFlashRate = 1000;  // FlashRate already 500
    t.v.SetupOverHang = 7;
    t.Ok();
    EXPECT_EQ(t.w.PollInterval, 12345);
    EXPECT_EQ(t.v.FlashRate, 500);
    EXPECT_EQ(t.v.OverHang, 14);

    t.Open();
    t.v.SetupRefreshRate = 2;
    t.Ok();
    EXPECT_EQ(t.v.TickInterval, 500);
    EXPECT_EQ(t.v.TicksPerPoll, 4);
    EXPECT_EQ(t.w.PollInterval, 500);

    // The extremes the value dialog accepts: a 1 ms flash period and an hour's poll rate.
    t.Open();
    t.v.SetupFlashRate = 1;
    t.v.SetupRefreshRate = 3600;
    t.Ok();
    EXPECT_TRUE(t.box.Boxes.empty()) << t.box.Titles();
    EXPECT_FALSE(t.f.Visible);
    EXPECT_EQ(t.v.FlashRate, 1);
    EXPECT_EQ(t.v.TickInterval, 1);
    EXPECT_EQ(t.v.TicksPerPoll, 3600000);

    t.Open();
    t.v.SetupFlashRate = 3600;
    t.Ok();
    EXPECT_EQ(t.v.FlashRate, 1800);
    EXPECT_EQ(t.v.TicksPerPoll, 2000);
    EXPECT_NE(t.dir.Read("zebntpnl.ini").find("Refresh Rate=3600\r\n"), std::string::npos);
}

TEST(SetupWindow, FailingSaveKeepsTheWindowOpenWithTheChangesApplied) {
    SetupPanel t;
    std::filesystem::create_directory(t.dir.path() /
                                      "zebntpnl.ini");  // cannot be replaced by a file
    t.Open();
    t.v.SetupTimeOut = 33;
    t.Ok();
    ASSERT_EQ(t.box.Boxes.size(), 1u);
    EXPECT_EQ(t.box.Boxes[0].Text, "Error Writing Zebntpnl.ini File");
    EXPECT_EQ(t.box.Boxes[0].Title, "Error Writing File");
    EXPECT_EQ(t.box.Boxes[0].Icon, MessageIcon::Critical);
    EXPECT_TRUE(t.f.Visible);
    EXPECT_EQ(t.v.TimeOut, 33);
    EXPECT_NE(t.Log().find("Error Writing ini File"), std::string::npos);
}

TEST(SetupWindow, OkColoursTheButtonsAndAnyOtherFailureShowsSetupError) {
    SetupPanel t;
    t.v.ButtonTable[2].Type = kv::kInactive;
    t.w.Buttons[2].Enabled = false;
    t.w.Buttons[3].Enabled = false;
    t.w.Buttons[3].BackColour = kv::kTalkColour;
    t.Open();
    t.Ok();
    EXPECT_EQ(t.w.Buttons[2].BackColour, kv::kInactiveColour);
    EXPECT_FALSE(t.w.Buttons[2].Enabled);
    EXPECT_EQ(t.w.Buttons[3].BackColour, kv::kOffColour);
    EXPECT_TRUE(t.w.Buttons[3].Enabled);
    EXPECT_EQ(t.w.WindowOrder, -1);

    // A ninth button has no face: the trap tells the operator and logs nothing.
    t.v.ButtonCount = 9;
    t.Open();
    t.Ok();
    ASSERT_EQ(t.box.Boxes.size(), 1u);
    EXPECT_EQ(t.box.Boxes[0].Text, "Setup Error ");
    EXPECT_EQ(t.box.Boxes[0].Title, "Error");
    EXPECT_EQ(t.box.Boxes[0].Icon, MessageIcon::Critical);
    EXPECT_TRUE(t.f.Visible);
    EXPECT_FALSE(t.dir.Exists("Errorlog.txt"));
}

TEST(SetupWindow, CancelAppliesNothingAndTheNextOpeningShowsThePanelValues) {
    SetupPanel t;
    t.ConnectWithTables();
    t.Open();
    t.v.SetupRefreshRate = 9;
    t.v.SetupFlashRate = 40;
    t.v.SetupTimeOut = 5;
    kv::SetupOutputSelected(t.v, t.f, 0);
    t.f.IPPortText = "9";
    kv::SetupCancel(t.f);
    EXPECT_EQ(t.f.Tag, "False");
    EXPECT_FALSE(t.f.Visible);
    EXPECT_EQ(t.v.RefreshRate, 1);
    EXPECT_EQ(t.v.FlashRate, 500);
    EXPECT_EQ(t.v.TimeOut, 20);
    EXPECT_EQ(t.v.AssignedOutputIndex, 1);
    EXPECT_EQ(t.v.IPPort, 1250);
    EXPECT_FALSE(t.dir.Exists("zebntpnl.ini"));

    t.Open();
    EXPECT_EQ(t.v.SetupRefreshRate, 1);
    EXPECT_EQ(t.v.SetupFlashRate, 1000);
    EXPECT_EQ(t.v.SetupTimeOut, 20);
    EXPECT_EQ(t.v.SetupOutput, 1);
    EXPECT_EQ(t.f.IPPortText, "1250");
}

TEST(SetupWindow, ServerBoxesTakeOnlyTheirCharacters) {
    for (char32_t c : {U'0', U'5', U'9'}) {
        EXPECT_TRUE(kv::IPAddressCharAccepted(c));
        EXPECT_TRUE(kv::IPPortCharAccepted(c));
    }
    EXPECT_TRUE(kv::IPAddressCharAccepted(U'.'));
    EXPECT_FALSE(kv::IPPortCharAccepted(U'.'));
    for (char32_t c : {U'a', U'-', U' ', U'/', U':', U'\u00e9', U'\b', U'\t', U'\x7f'}) {
        EXPECT_FALSE(kv::IPAddressCharAccepted(c));
        EXPECT_FALSE(kv::IPPortCharAccepted(c));
    }
}

}  // namespace
