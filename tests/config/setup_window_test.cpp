#include "config/setup_window.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "config_panel.h"

using kv::platform::MessageIcon;
using Rows = std::vector<std::string>;

struct SetupPanel : ConfigPanel {
    kv::SetupWindow f;
    void Open() {
        f.Tag = kv::kSetupTagInitial;
        kv::ActivateSetupWindow(s, f);
    }
    void Ok() { kv::SetupOk(s, f); }
    bool Saved(const std::string& text) const { return Ini().find(text) != std::string::npos; }
    auto Box() const {
        return box.Boxes.size() == 1
                   ? std::tuple(box.Boxes[0].Text, box.Boxes[0].Title, box.Boxes[0].Icon)
                   : std::tuple(box.Titles(), std::string(), MessageIcon::None);
    }
};

TEST(SetupWindow, ActivationBeforeTheFirstPollShowsNotConnectedAndOkKeepsTheStations) {
    SetupPanel t;
    t.v.FlashRate = 250;
    t.v.OverHang = 10;  // 5 s
    t.v.IPPort = 0;
    t.Open();
    EXPECT_EQ(std::tuple(t.f.IPAddrText, t.v.IPAddress, t.f.IPPortText, t.v.IPPort, t.f.Tag,
                         t.f.OutputRows, t.f.InputRows, t.f.OutputSelected, t.f.StayOnTopChecked,
                         t.v.SetupFlashRate, t.v.SetupOverHang),
              std::tuple("0.0.0.0", "0.0.0.0", "1250", 1250, "", Rows{"Not Connected"},
                         Rows{"Not Connected"}, 0, true, 500, 5));
    t.f.IPAddrText = "10.1.1.1";
    t.v.SetupTimeOut = 99;
    kv::ActivateSetupWindow(t.s, t.f);  // back from a dialog: not refilled
    EXPECT_EQ(std::tuple(t.f.IPAddrText, t.v.SetupTimeOut), std::tuple("10.1.1.1", 99));
    t.f.IPAddrText = "0.0.0.0";
    t.Ok();
    EXPECT_EQ(std::tuple(t.box.Titles(), t.f.Visible, t.v.AssignedOutput, t.v.AssignedInput,
                         t.v.TimeOut, t.w.StatusPanel1, t.w.StatusPanel2, t.socket.ConnectCalls),
              std::tuple("", false, 1, 1, 99, "Intercom Station Assignment (NC) ",
                         "Server Not Defined ", 0));
    EXPECT_TRUE(t.Saved("IP Address=0.0.0.0\r\nIP Port=1250\r\n"));
}

TEST(SetupWindow, StationListsOutOfNumberOrderSelectStoreAndCancel) {
    SetupPanel t;
    t.ConnectWithTables();
    t.Open();
    // The panel's own stations: output 0 is Bravo, input 2 is Mic A.
    EXPECT_EQ(
        std::tuple(t.f.OutputRows, t.f.InputRows, t.f.OutputSelected, t.f.InputSelected,
                   t.v.FillGuard),
        std::tuple(Rows{"Alpha   (ch 3)", "Bravo   (ch 1)", "Charlie   (ch 2)"},
                   Rows{"Desk   (ch 2)", "Mic A   (ch 3)", "Studio   (ch 1)"}, 1, 1, kv::kFalse));
    // While the fill guard is raised a selection is ignored; so is a row that does not exist.
    t.v.FillGuard = kv::kTrue;
    kv::SetupOutputSelected(t.v, t.f, 0);
    t.v.FillGuard = kv::kFalse;
    kv::SetupInputSelected(t.v, t.f, 2);  // Studio, station 0
    kv::SetupInputSelected(t.v, t.f, 3);
    EXPECT_EQ(std::tuple(t.v.SetupOutput, t.f.InputSelected, t.v.SetupInput), std::tuple(1, 2, 2));
    kv::SetupOutputSelected(t.v, t.f, 2);  // Charlie, station 1
    t.w.InputWindowText = "Caller";
    t.Ok();
    EXPECT_EQ(
        std::tuple(t.f.Visible, t.v.AssignedOutput, t.v.AssignedOutputIndex, t.v.AssignedInput,
                   t.v.AssignedInputIndex, t.v.DialIndex, t.w.StationSelected, t.w.StatusPanel1,
                   t.w.PresetWindowText, t.w.InputWindowText),
        std::tuple(false, 1, 2, 0, 2, 0, 0, "Intercom Station Assignment (Charlie) ", "Alpha", ""));
    EXPECT_TRUE(t.Saved("Output=2\r\nInput=1\r\n"));

    // Cancel only closes (the window tests check that nothing is applied); not connected, the
    // rows are numbered.
    kv::SetupCancel(t.f);
    EXPECT_EQ(std::tuple(t.f.Tag, t.f.Visible), std::tuple("False", false));
    t.v.Connected = kv::kFalse;
    t.Open();
    EXPECT_EQ(std::tuple(t.f.OutputSelected, t.f.InputSelected, t.f.OutputRows),
              std::tuple(2, 2, Rows{"Out 0001", "Out 0002", "Out 0003"}));
    t.v.AssignedOutputIndex = 40;  // beyond the list: the top row
    t.Open();
    EXPECT_EQ(t.f.OutputSelected, 0);
}

TEST(SetupWindow, ActivationThatKeepsFailingEndsAfterThreeRestartsAndLogsOnce) {
    SetupPanel t;
    t.v.PollSent = t.v.Connected = kv::kTrue;
    t.v.OutputNames.clear();  // an empty output table leaves the count as it was
    t.Open();
    EXPECT_EQ(std::tuple(t.f.Tag, t.f.Visible, t.v.FillGuard, t.f.OutputRows.size(),
                         t.LogCount("Error Activating Setup Window"), t.box.Titles()),
              std::tuple("", true, kv::kFalse, 0u, 1, ""));
}

// The steps before the server's are applied; a refused port or address keeps the window open,
// shows why and neither connects nor saves.
TEST(SetupWindow, RefusedPortOrAddressKeepsTheWindowOpen) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "10.0.0.2"}, {"65536", "10.0.0.2"},  {"99999999999", "10.0.0.2"},
        {"1250", "1.2.3"}, {"1250", "192.168.1."}, {"1250", "abc"}};
    for (const auto& [port, address] : cases) {
        SetupPanel t;
        t.v.IPAddress = "10.0.0.1";
        t.Open();
        t.v.SetupTimeOut = 77;
        t.f.StayOnTopChecked = false;
        t.f.IPPortText = port;
        t.f.IPAddrText = address;
        t.Ok();
        const bool portRefused = std::string(port) != "1250";
        EXPECT_EQ(t.Box(), portRefused ? std::tuple("Invalid IP Port #. Please reenter a number "
                                                    "between 1 and 65535",
                                                    "Port Error", MessageIcon::None)
                                       : std::tuple("Please Enter IP Address In The Following "
                                                    "Format: 192.168.1.1",
                                                    "Data Format Error", MessageIcon::Critical));
        EXPECT_EQ(
            std::tuple(t.f.Visible, t.f.IPAddrText, t.f.FocusIPAddr, t.v.TimeOut, t.v.StayOnTop,
                       t.v.IPAddress, t.v.IPPort, t.socket.ConnectCalls, t.Ini()),
            std::tuple(true, portRefused ? address : "10.0.0.1", !portRefused, 77, -2, "10.0.0.1",
                       1250, 0, ""))
            << port << " " << address;
    }
}

TEST(SetupWindow, ServerChangesReconnectAndUnchangedServerDoesNot) {
    SetupPanel t;
    t.v.IPAddress = "192.168.1.10";
    t.Open();
    t.f.IPAddrText = "192.168.001.010";  // only leading zeros differ: the same server
    t.Ok();
    EXPECT_EQ(std::tuple(t.f.Visible, t.f.IPAddrText, t.socket.ConnectCalls),
              std::tuple(false, "192.168.1.10", 0));
    t.Open();
    t.f.IPPortText = "1";  // the lowest port
    t.Ok();
    EXPECT_EQ(std::tuple(t.v.IPPort, t.socket.CloseCalls, t.socket.ConnectCalls, t.socket.Port,
                         t.socket.Address, t.w.StatusPanel2, t.w.PollEnabled),
              std::tuple(1, 1, 1, 1, "192.168.1.10", "Server 192.168.1.10", true));
    t.Open();
    t.f.IPAddrText = "010.0.0.300";  // normalised before it is used
    t.Ok();
    EXPECT_EQ(std::tuple(t.v.IPAddress, t.socket.Address, t.socket.ConnectCalls),
              std::tuple("10.0.0.255", "10.0.0.255", 2));
    EXPECT_TRUE(t.Saved("IP Address=10.0.0.255\r\nIP Port=1\r\n"));
}

TEST(SetupWindow, ServerBoxesTakeOnlyTheirCharactersAndAddressesFourBytes) {
    // Other refused forms reach the window through Ok (see above); empty: refused, text kept.
    const std::pair<std::string, std::string> addresses[] = {
        {"1.2.3.4.5", "1.2.3.4"}, {"1..3.4", "1.0.3.4"},     {"99999999999.1.1.1", "255.1.1.1"},
        {"-7.1.1.1", "0.1.1.1"},  {"1.2.3.4abc", "1.2.3.4"}, {"1.2", ""}};
    for (const auto& [text, normalised] : addresses) {
        kv::SetupWindow f;
        f.IPAddrText = text;
        EXPECT_EQ(kv::CheckIPAddress(f), !normalised.empty()) << text;
        EXPECT_EQ(f.IPAddrText, normalised.empty() ? text : normalised);
    }
    for (char32_t c : {U'0', U'9', U'.', U'a', U'/', U':', U'\u00e9'}) {
        const bool digit = c >= U'0' && c <= U'9';
        EXPECT_EQ(kv::IPAddressCharAccepted(c), digit || c == U'.') << static_cast<int>(c);
        EXPECT_EQ(kv::IPPortCharAccepted(c), digit) << static_cast<int>(c);
    }
}

// Timers are recomputed only when the flash or poll rate changed.
TEST(SetupWindow, TimingRecomputesOnlyWhenChangedAndRunsEveryAcceptedValue) {
    const struct {
        int16_t flash, refresh;
        int32_t halfPeriod, poll, ticks;
    } cases[] = {{1000, 1, 500, 12345, 12345},  // unchanged: the timers stay as they were
                 {1000, 2, 500, 500, 4},
                 {1, 3600, 1, 1, 3600000},  // the extremes the value dialog accepts
                 {3600, 3600, 1800, 1800, 2000}};
    for (const auto& c : cases) {
        SetupPanel t;
        t.Open();
        t.w.PollInterval = t.v.TicksPerPoll = 12345;
        t.v.SetupFlashRate = c.flash;
        t.v.SetupRefreshRate = c.refresh;
        t.v.SetupOverHang = 7;
        t.Ok();
        EXPECT_EQ(std::tuple(t.box.Titles(), t.v.FlashRate, t.w.PollInterval, t.v.TicksPerPoll,
                             t.v.OverHang),
                  std::tuple("", c.halfPeriod, c.poll, c.ticks, 14));
    }
}

TEST(SetupWindow, FailingSaveOrAnyOtherFailureKeepsTheWindowOpen) {
    SetupPanel t;
    std::filesystem::create_directory(t.dir.path() / "zebntpnl.ini");  // cannot become a file
    t.Open();
    t.v.SetupTimeOut = 33;
    t.Ok();
    EXPECT_EQ(t.Box(), std::tuple("Error Writing Zebntpnl.ini File", "Error Writing File",
                                  MessageIcon::Critical));
    EXPECT_EQ(std::tuple(t.f.Visible, t.v.TimeOut), std::tuple(true, 33));
    EXPECT_EQ(t.LogCount("Error Writing ini File"), 1);

    SetupPanel n;  // a ninth button has no face: the trap tells the operator and logs nothing
    n.v.ButtonCount = 9;
    n.Open();
    n.Ok();
    EXPECT_EQ(n.Box(), std::tuple("Setup Error ", "Error", MessageIcon::Critical));
    EXPECT_EQ(std::tuple(n.f.Visible, n.dir.Exists("Errorlog.txt")), std::tuple(true, false));
}
