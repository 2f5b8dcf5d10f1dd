#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/services.h"

// frmIntercFile: the server, the panel's own stations, keep-on-top and the timing
// values. Its Ok applies them, reconnects when the server changed and saves.

namespace kv {

inline constexpr const char* kSetupTagInitial = "Initial";
inline constexpr const char* kSetupTagCancelled = "False";
// An activation that keeps failing is started again this many times, then given up.
inline constexpr int kActivationRestarts = 3;

// What the setup window's controls hold.
struct SetupWindow {
    std::string Tag;
    std::string IPAddrText;               // txtIPAddr
    std::string IPPortText;               // txtIPPort
    std::vector<std::string> OutputRows;  // cmboOutputSelect
    int32_t OutputSelected = -1;
    std::vector<std::string> InputRows;  // cmboInputSelect
    int32_t InputSelected = -1;
    bool StayOnTopChecked = false;  // chkStayOnTop
    bool FocusIPAddr = false;       // the view gives txtIPAddr the focus when set
    bool Visible = false;
};

// Each time the window becomes active; fills the window only when the tag reads "Initial".
void ActivateSetupWindow(Services& s, SetupWindow& f);

// The combo boxes' selection handlers: the row is the pending list position.
void SetupOutputSelected(IntercVariables& v, SetupWindow& f, int32_t row);
void SetupInputSelected(IntercVariables& v, SetupWindow& f, int32_t row);

// Four numbers joined by dots, each limited to 0 .. 255; rewrites the text normalised.
bool CheckIPAddress(SetupWindow& f);

// Ok in its thirteen steps; a refused entry or a failure leaves the window open.
void SetupOk(Services& s, SetupWindow& f);

// Hides the window; nothing is applied.
void SetupCancel(SetupWindow& f);

// What the server boxes hold, however the text gets there.
bool IPAddressCharAccepted(char32_t c);
bool IPPortCharAccepted(char32_t c);

}  // namespace kv
