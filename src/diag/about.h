#pragma once

#include <string>

#include "base/file_places.h"
#include "state/interc_variables.h"

// frmIntercAbout: the version and a summary of the current setup, computed afresh
// on every showing.

namespace kv {

// The maker's lines, as the error log's banner gives them.
inline constexpr const char* kMakerName = "ZEB Intercom Systems Inc";
inline constexpr const char* kMakerAddress = "1200 Harbour Road, Suite 4, Port Alder, ON  K0K 1A0";
inline constexpr const char* kMakerContact = "(555) 010-0199 - keyvane.example";

struct AboutWindow {
    std::string VersionInfo;       // lblVersionInfo, two lines
    std::string TimeOut;           // LblTimeOut
    std::string Rate;              // lblRate
    std::string OutputControlled;  // lblOutputControlled
    std::string ServerLocation;    // lblServerLocation
    std::string Files;             // lblFiles: the files in use, one per line
};

AboutWindow ActivateAbout(const IntercVariables& v);

}  // namespace kv
