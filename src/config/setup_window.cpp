#include "config/setup_window.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "base/checked.h"
#include "base/fault.h"
#include "base/number_reading.h"
#include "base/rounding.h"
#include "base/station_rows.h"
#include "config/ini_file.h"
#include "diag/error_log.h"
#include "diag/trap.h"
#include "display/button_indications.h"
#include "link/connection.h"

namespace kv {
namespace {

using platform::MessageIcon;

constexpr std::string_view kNotConnected = "Not Connected";

// The row of a pending list position; one at or beyond the list's end selects the top row.
int32_t RowOfPosition(int16_t position, std::size_t rows) {
    if (rows == 0) {
        return -1;
    }
    return position >= 0 && static_cast<std::size_t>(position) < rows ? position : 0;
}

void FillPendingValues(IntercVariables& v) {
    v.SetupOutput = v.AssignedOutputIndex;
    v.SetupInput = v.AssignedInputIndex;
    v.SetupRefreshRate = v.RefreshRate;
    v.SetupTimeOut = v.TimeOut;
    // The longest flash period a configuration can give still shows, as 32767 ms.
    v.SetupFlashRate = static_cast<int16_t>(std::min<int32_t>(v.FlashRate * 2, INT16_MAX));
    v.SetupOverHang = CInt16(v.OverHang / 2.0);
}

// Activation from its step 3: the server boxes, the station lists, keep-on-top, the tag.
void FillControls(IntercVariables& v, SetupWindow& f) {
    if (v.IPAddress.empty()) {
        v.IPAddress = "0.0.0.0";
    }
    f.IPAddrText = v.IPAddress;
    if (v.IPPort == 0) {
        v.IPPort = 1250;
    }
    f.IPPortText = std::to_string(v.IPPort);

    f.OutputRows.clear();
    f.InputRows.clear();
    f.OutputSelected = -1;
    f.InputSelected = -1;
    if (v.PollSent == kFalse) {
        f.OutputRows.emplace_back(kNotConnected);
        f.InputRows.emplace_back(kNotConnected);
        f.OutputSelected = 0;
        f.InputSelected = 0;
    } else {
        FillOutputRows(v, f.OutputRows);
        FillInputRows(v, f.InputRows);
        v.FillGuard = kTrue;
        f.OutputSelected = RowOfPosition(v.SetupOutput, f.OutputRows.size());
        f.InputSelected = RowOfPosition(v.SetupInput, f.InputRows.size());
        v.FillGuard = kFalse;
    }
    f.StayOnTopChecked = v.StayOnTop == -1;
    f.Tag.clear();
}

// A pending list position taken from a row the operator picked.
bool TakeRow(IntercVariables& v, const std::vector<std::string>& rows, int32_t row,
             int16_t& pending) {
    if (v.FillGuard != kFalse || v.PollSent == kFalse || row < 0 ||
        static_cast<std::size_t>(row) >= rows.size()) {
        return false;
    }
    pending = static_cast<int16_t>(row);
    return true;
}

// An address part: its number, limited to 0 .. 255 however large the text.
int AddressPart(std::string_view text) {
    const double value = RoundHalfEven(ReadNumber(text));
    return value > 255 ? 255 : value < 0 ? 0 : static_cast<int>(value);
}

void ApplyOutput(IntercVariables& v, MainWindowView& w) {
    if (v.SetupOutput == v.AssignedOutputIndex) {
        return;
    }
    v.AssignedOutputIndex = v.SetupOutput;
    v.DialIndex = 0;
    if (!w.StationRows.empty()) {
        w.StationSelected = v.DialIndex;
        w.PresetWindowText = At(v.OutputNames, v.DialIndex);
        v.AssignedOutput = At(v.OutputNumbers, v.AssignedOutputIndex);
    } else {
        // Before the server's tables the lists are in station order.
        v.AssignedOutput = v.AssignedOutputIndex;
    }
    w.InputWindowText.clear();
}

void ApplyInput(IntercVariables& v, MainWindowView& w) {
    if (v.SetupInput == v.AssignedInputIndex) {
        return;
    }
    v.AssignedInputIndex = v.SetupInput;
    v.DialIndex = 0;
    if (!w.StationRows.empty()) {
        v.AssignedInput = At(v.InputNumbers, v.AssignedInputIndex);
    } else {
        v.AssignedInput = v.AssignedInputIndex;
    }
    w.InputWindowText.clear();
}

void ApplyTiming(IntercVariables& v, MainWindowView& w) {
    if (v.SetupFlashRate / 2.0 == v.FlashRate && v.SetupRefreshRate == v.RefreshRate) {
        return;
    }
    // A 1 ms period halves to 0.5, which rounds to 0: the shortest half-period is 1 ms.
    v.FlashRate = std::max<int16_t>(1, CInt16(v.SetupFlashRate / 2.0));
    v.RefreshRate = v.SetupRefreshRate;
    ComputeTimerValues(v, w);
}

// Ok's steps; false when a refused entry leaves the window open.
bool ApplySetup(Services& s, SetupWindow& f) {
    IntercVariables& v = s.ctx.v;
    MainWindowView& w = s.ctx.w;

    ApplyOutput(v, w);
    if (v.PollSent == kFalse) {
        w.StatusPanel1 = "Intercom Station Assignment (NC) ";
        w.StatusPanel2 = "Server Not Defined ";
    } else {
        w.StatusPanel1 =
            "Intercom Station Assignment (" + At(v.OutputNames, v.AssignedOutputIndex) + ") ";
    }
    ApplyInput(v, w);
    ApplyTiming(v, w);
    v.TimeOut = v.SetupTimeOut;
    v.OverHang = Mul16(v.SetupOverHang, 2);
    v.StayOnTop = f.StayOnTopChecked ? -1 : -2;

    bool serverChanged = false;
    // Read as a real number, so that a text too long for 32 bits is out of range too.
    const double port = RoundHalfEven(ReadNumber(f.IPPortText));
    if (port != v.IPPort) {
        if (!(port >= 1 && port <= 65535)) {
            s.box.Show("Invalid IP Port #. Please reenter a number between 1 and 65535",
                       "Port Error", MessageIcon::None);
            return false;
        }
        serverChanged = true;
    }
    if (f.IPAddrText != v.IPAddress) {
        if (!CheckIPAddress(f)) {
            s.box.Show("Please Enter IP Address In The Following Format: 192.168.1.1",
                       "Data Format Error", MessageIcon::Critical);
            f.IPAddrText = v.IPAddress;
            f.FocusIPAddr = true;
            return false;
        }
        // Leading zeros alone name the same server: no reconnect for them.
        serverChanged = serverChanged || f.IPAddrText != v.IPAddress;
    }
    if (serverChanged) {
        v.IPPort = CInt32(port);
        v.IPAddress = f.IPAddrText;
        w.StatusPanel2 = "Server " + v.IPAddress;
        DisconnectFromServer(s.ctx);
        ConnectToServer(s.ctx);
        w.PollEnabled = true;
    }
    w.WindowOrder = v.StayOnTop;

    if (!WriteIniFile(v)) {
        s.box.Show("Error Writing Zebntpnl.ini File", "Error Writing File", MessageIcon::Critical);
        return false;
    }
    ShowBaseColours(v, w);
    return true;
}

}  // namespace

void ActivateSetupWindow(Services& s, SetupWindow& f) {
    IntercVariables& v = s.ctx.v;
    f.Visible = true;
    if (f.Tag != kSetupTagInitial) {
        return;
    }
    std::optional<Fault> fault = CatchFault([&] {
        FillPendingValues(v);
        FillControls(v, f);
    });
    for (int restart = 1; fault && restart <= kActivationRestarts; ++restart) {
        fault = CatchFault([&] { FillControls(v, f); });
    }
    if (fault) {
        // Given up: the window shows what it has, and a later activation leaves it so.
        v.FillGuard = kFalse;
        f.StayOnTopChecked = v.StayOnTop == -1;
        f.Tag.clear();
        LogError(v, "Error Activating Setup Window", "Program Error", *fault);
    }
}

void SetupOutputSelected(IntercVariables& v, SetupWindow& f, int32_t row) {
    if (TakeRow(v, f.OutputRows, row, v.SetupOutput)) {
        f.OutputSelected = row;
    }
}

void SetupInputSelected(IntercVariables& v, SetupWindow& f, int32_t row) {
    if (TakeRow(v, f.InputRows, row, v.SetupInput)) {
        f.InputSelected = row;
    }
}

bool CheckIPAddress(SetupWindow& f) {
    const std::string& t = f.IPAddrText;
    const std::size_t dot1 = t.find('.');
    if (dot1 == std::string::npos) {
        return false;
    }
    const std::size_t dot2 = t.find('.', dot1 + 1);
    if (dot2 == std::string::npos) {
        return false;
    }
    const std::size_t dot3 = t.find('.', dot2 + 1);
    if (dot3 == std::string::npos || dot3 + 1 >= t.size()) {
        return false;
    }
    const std::string_view text(t);
    const int a = AddressPart(text.substr(0, dot1));
    const int b = AddressPart(text.substr(dot1 + 1, dot2 - dot1 - 1));
    const int c = AddressPart(text.substr(dot2 + 1, dot3 - dot2 - 1));
    const int d = AddressPart(text.substr(dot3 + 1));
    f.IPAddrText = std::to_string(a) + "." + std::to_string(b) + "." + std::to_string(c) + "." +
                   std::to_string(d);
    return true;
}

void SetupOk(Services& s, SetupWindow& f) {
    bool applied = false;
    // The one trap that tells the operator instead of logging.
    if (CatchFault([&] { applied = ApplySetup(s, f); })) {
        s.box.Show("Setup Error ", "Error", MessageIcon::Critical);
        return;
    }
    if (applied) {
        f.Visible = false;
    }
}

void SetupCancel(SetupWindow& f) {
    f.Tag = kSetupTagCancelled;
    f.Visible = false;
}

bool IPAddressCharAccepted(char32_t c) {
    return (c >= U'0' && c <= U'9') || c == U'.';
}

bool IPPortCharAccepted(char32_t c) {
    return c >= U'0' && c <= U'9';
}

}  // namespace kv
