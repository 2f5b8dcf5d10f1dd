#include "config/setup_window.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialog_fakes.h"

using kv::platform::MessageIcon;
using Rows = std::vector<std::string>;

namespace {

struct SetupPanel : TestPanel {
    kv::SetupWindow f;

    void Open() {
        f.Tag = kv::kSetupTagInitial;
        kv::ActivateSetupWindow(s, f);
    }
    void Ok() { kv::SetupOk(s, f); }
    bool Saved(const std::string& text) const {
        return dir.Read("zebntpnl.ini").find(text) != std::string::npos;
    }
};

TEST(SetupWindow, ActivationBeforeTheFirstPollShowsNotConnectedAndOkKeepsTheStations) {
    SetupPanel t;
    t.v.FlashRate = 250;
    t.v.OverHang = 10;  // 5 s
    t.v.IPPort = 0;
    t.v.ButtonTable[2].Type = kv::kInactive;
    t.w.Buttons[3].BackColour = kv::kTalkColour;
    t.w.Buttons[2].Enabled = t.w.Buttons[3].Enabled = false;
    t.Open();
    EXPECT_EQ(std::tuple(t.f.IPAddrText, t.v.IPAddress, t.f.IPPortText, t.v.IPPort, t.f.Tag),
              std::tuple("0.0.0.0", "0.0.0.0", "1250", 1250, ""));
    EXPECT_EQ(std::tuple(t.f.OutputRows, t.f.InputRows, t.f.OutputSelected, t.f.StayOnTopChecked),
              std::tuple(Rows{"Not Connected"}, Rows{"Not Connected"}, 0, true));
    EXPECT_EQ(std::tuple(t.v.SetupFlashRate, t.v.SetupOverHang), std::tuple(500, 5));

    // A later activation (back from a dialog) does not refill.
    t.f.IPAddrText = "10.1.1.1";
    t.v.SetupTimeOut = 99;
    kv::ActivateSetupWindow(t.s, t.f);
    EXPECT_EQ(std::tuple(t.f.IPAddrText, t.v.SetupTimeOut), std::tuple("10.1.1.1", 99));

    t.f.IPAddrText = "0.0.0.0";
    t.Ok();
    EXPECT_TRUE(t.box.Boxes.empty()) << t.box.Titles();
    EXPECT_EQ(
        std::tuple(t.f.Visible, t.v.AssignedOutput, t.v.AssignedInput, t.v.TimeOut,
                   t.w.StatusPanel1, t.w.StatusPanel2, t.socket.ConnectCalls),
        std::tuple(false, 1, 1, 99, "Intercom Station Assignment (NC) ", "Server Not Defined ", 0));
    EXPECT_TRUE(t.Saved("IP Address=0.0.0.0\r\nIP Port=1250\r\n"));
    // The buttons are coloured by their types.
    EXPECT_EQ(t.w.Buttons[2].BackColour, kv::kInactiveColour);
    EXPECT_EQ(t.w.Buttons[3].BackColour, kv::kOffColour);
    EXPECT_EQ(std::tuple(t.w.Buttons[2].Enabled, t.w.Buttons[3].Enabled, t.w.WindowOrder),
              std::tuple(false, true, -1));
}

TEST(SetupWindow, StationListsOutOfNumberOrderSelectStoreAndCancel) {
    SetupPanel t;
    t.ConnectWithTables();
    t.Open();
    EXPECT_EQ(t.f.OutputRows, (Rows{"Alpha   (ch 3)", "Bravo   (ch 1)", "Charlie   (ch 2)"}));
    EXPECT_EQ(t.f.InputRows, (Rows{"Desk   (ch 2)", "Mic A   (ch 3)", "Studio   (ch 1)"}));
    // The panel's own stations: output 0 is Bravo, input 2 is Mic A.
    EXPECT_EQ(std::tuple(t.f.OutputSelected, t.f.InputSelected, t.v.FillGuard),
              std::tuple(1, 1, kv::kFalse));

    // While the fill guard is raised a selection is ignored; so is a row that does not exist.
    t.v.FillGuard = kv::kTrue;
    kv::SetupOutputSelected(t.v, t.f, 0);
    EXPECT_EQ(t.v.SetupOutput, 1);
    t.v.FillGuard = kv::kFalse;
    kv::SetupOutputSelected(t.v, t.f, 2);  // Charlie, station 1
    kv::SetupInputSelected(t.v, t.f, 2);   // Studio, station 0
    kv::SetupInputSelected(t.v, t.f, 3);
    EXPECT_EQ(std::tuple(t.f.OutputSelected, t.v.SetupInput), std::tuple(2, 2));

    t.w.InputWindowText = "Caller";
    t.Ok();
    EXPECT_FALSE(t.f.Visible) << t.box.Titles();
    EXPECT_EQ(std::tuple(t.v.AssignedOutput, t.v.AssignedOutputIndex, t.v.AssignedInput,
                         t.v.AssignedInputIndex, t.v.DialIndex, t.w.StationSelected),
              std::tuple(1, 2, 0, 2, 0, 0));
    EXPECT_EQ(std::tuple(t.w.StatusPanel1, t.w.PresetWindowText, t.w.InputWindowText),
              std::tuple("Intercom Station Assignment (Charlie) ", "Alpha", ""));
    EXPECT_TRUE(t.Saved("Output=2\r\nInput=1\r\n"));

    // Cancel applies nothing; the next opening shows the panel's values.
    t.Open();
    t.v.SetupRefreshRate = 9;
    t.v.SetupFlashRate = 40;
    kv::SetupOutputSelected(t.v, t.f, 0);
    t.f.IPPortText = "9";
    kv::SetupCancel(t.f);
    EXPECT_EQ(std::tuple(t.f.Tag, t.f.Visible, t.v.RefreshRate, t.v.FlashRate,
                         t.v.AssignedOutputIndex, t.v.IPPort),
              std::tuple("False", false, 1, 500, 2, 1250));
    t.v.Connected = kv::kFalse;  // not connected, the rows are numbered
    t.Open();
    EXPECT_EQ(std::tuple(t.v.SetupRefreshRate, t.v.SetupFlashRate, t.v.SetupOutput, t.f.IPPortText,
                         t.f.OutputSelected, t.f.InputSelected),
              std::tuple(1, 1000, 2, "1250", 2, 2));
    EXPECT_EQ(t.f.OutputRows, (Rows{"Out 0001", "Out 0002", "Out 0003"}));

    t.v.AssignedOutputIndex = 40;  // beyond the list: the top row
    t.Open();
    EXPECT_EQ(t.f.OutputSelected, 0);
}

TEST(SetupWindow, ActivationThatKeepsFailingEndsAfterThreeRestartsAndLogsOnce) {
    SetupPanel t;
    t.v.PollSent = t.v.Connected = kv::kTrue;
    t.v.OutputNames.clear();  // an empty output table leaves the count as it was
    t.Open();
    EXPECT_EQ(std::tuple(t.f.Tag, t.f.Visible, t.v.FillGuard, t.f.OutputRows.size()),
              std::tuple("", true, kv::kFalse, 0u));
    const std::string log = t.Log();
    const std::size_t first = log.find("Error Activating Setup Window");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("Error Activating Setup Window", first + 1), std::string::npos);
    EXPECT_TRUE(t.box.Boxes.empty());
}

// The steps before the server's are applied; a refused port or address keeps the window open,
// shows why and neither connects nor saves.
TEST(SetupWindow, RefusedPortOrAddressKeepsTheWindowOpen) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "10.0.0.2"}, {"65536", "10.0.0.2"},  {"99999999999", "10.0.0.2"},
        {"1250", "1.2.3"}, {"1250", "192.168.1."}, {"1250", "abc"}};
    for (const auto& [port, address] : cases) {
        SCOPED_TRACE(std::string(port) + " " + address);
        SetupPanel t;
        t.v.IPAddress = "10.0.0.1";
        t.Open();
        t.v.SetupTimeOut = 77;
        t.f.StayOnTopChecked = false;
        t.f.IPPortText = port;
        t.f.IPAddrText = address;
        t.Ok();
        const bool portRefused = std::string(port) != "1250";
        ASSERT_EQ(t.box.Boxes.size(), 1u);
        EXPECT_EQ(std::tuple(t.box.Boxes[0].Text, t.box.Boxes[0].Title, t.box.Boxes[0].Icon),
                  portRefused ? std::tuple("Invalid IP Port #. Please reenter a number between 1 "
                                           "and 65535",
                                           "Port Error", MessageIcon::None)
                              : std::tuple("Please Enter IP Address In The Following Format: "
                                           "192.168.1.1",
                                           "Data Format Error", MessageIcon::Critical));
        EXPECT_EQ(std::tuple(t.f.Visible, t.f.IPAddrText, t.f.FocusIPAddr),
                  std::tuple(true, portRefused ? address : "10.0.0.1", !portRefused));
        EXPECT_EQ(std::tuple(t.v.TimeOut, t.v.StayOnTop, t.v.IPAddress, t.v.IPPort,
                             t.socket.ConnectCalls, t.dir.Exists("zebntpnl.ini")),
                  std::tuple(77, -2, "10.0.0.1", 1250, 0, false));
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
    t.f.IPPortText = "4000";
    t.Ok();
    EXPECT_EQ(std::tuple(t.v.IPPort, t.socket.CloseCalls, t.socket.ConnectCalls, t.socket.Port,
                         t.socket.Address, t.w.StatusPanel2, t.w.PollEnabled),
              std::tuple(4000, 1, 1, 4000, "192.168.1.10", "Server 192.168.1.10", true));

    t.Open();
    t.f.IPAddrText = "010.0.0.300";  // normalised before it is used
    t.Ok();
    EXPECT_EQ(std::tuple(t.v.IPAddress, t.socket.Address, t.socket.ConnectCalls),
              std::tuple("10.0.0.255", "10.0.0.255", 2));
    EXPECT_TRUE(t.Saved("IP Address=10.0.0.255\r\nIP Port=4000\r\n"));
}

TEST(SetupWindow, ServerBoxesTakeOnlyTheirCharactersAndAddressesFourBytes) {
    const std::pair<std::string, std::string> addresses[] = {
        {"10.0.0.300", "10.0.0.255"},
        {"1.2.3.4.5", "1.2.3.4"},
        {"1..3.4", "1.0.3.4"},
        {"99999999999.1.1.1", "255.1.1.1"},
        {"-7.1.1.1", "0.1.1.1"},
        {"1.2.3.4abc", "1.2.3.4"},
        {"1.2.3", ""},
        {"1.2.3.", ""},
        {"1234", ""}};  // empty: refused, the text kept
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
        int32_t halfPeriod, tick, ticks;
    } cases[] = {{1000, 1, 500, 500, 12345},  // unchanged: the poll interval stays as it was
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
        EXPECT_TRUE(t.box.Boxes.empty()) << t.box.Titles();
        EXPECT_EQ(std::tuple(t.v.FlashRate, t.v.TicksPerPoll, t.w.PollInterval, t.v.OverHang),
                  std::tuple(c.halfPeriod, c.ticks, c.ticks == 12345 ? 12345 : c.tick, 14));
    }
}

TEST(SetupWindow, FailingSaveOrAnyOtherFailureKeepsTheWindowOpen) {
    SetupPanel t;
    std::filesystem::create_directory(t.dir.path() / "zebntpnl.ini");  // cannot become a file
    t.Open();
    t.v.SetupTimeOut = 33;
    t.Ok();
    ASSERT_EQ(t.box.Boxes.size(), 1u);
    EXPECT_EQ(std::tuple(t.box.Boxes[0].Text, t.box.Boxes[0].Title, t.box.Boxes[0].Icon,
                         t.f.Visible, t.v.TimeOut),
              std::tuple("Error Writing Zebntpnl.ini File", "Error Writing File",
                         MessageIcon::Critical, true, 33));
    EXPECT_NE(t.Log().find("Error Writing ini File"), std::string::npos);

    // A ninth button has no face: the trap tells the operator and logs nothing.
    SetupPanel n;
    n.v.ButtonCount = 9;
    n.Open();
    n.Ok();
    ASSERT_EQ(n.box.Boxes.size(), 1u);
    EXPECT_EQ(std::tuple(n.box.Boxes[0].Text, n.box.Boxes[0].Title, n.box.Boxes[0].Icon,
                         n.f.Visible, n.dir.Exists("Errorlog.txt")),
              std::tuple("Setup Error ", "Error", MessageIcon::Critical, true, false));
}

}  // namespace
