#include "diag/about.h"

#include <cstddef>

namespace kv {
namespace {

template <class T>
bool InRange(const std::vector<T>& items, int16_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < items.size();
}

std::string OutputText(const IntercVariables& v) {
    if (v.Connected == kFalse) {
        return "Not Connected";
    }
    const int16_t i = v.AssignedOutputIndex;
    if (!InRange(v.OutputNumbers, i) || !InRange(v.OutputNames, i)) {
        // The station tables do not hold the own output (yet): say so rather than guess.
        return "Output " + std::to_string(v.AssignedOutput + 1) + " - (Unknown)";
    }
    return "Output " + std::to_string(v.OutputNumbers[static_cast<std::size_t>(i)] + 1) + " - (" +
           v.OutputNames[static_cast<std::size_t>(i)] + ")";
}

}  // namespace

AboutWindow ActivateAbout(const IntercVariables& v) {
    AboutWindow a;
    a.ServerLocation = v.IPAddress.empty() ? "Not Specified" : v.IPAddress;
    a.OutputControlled = OutputText(v);
    a.Rate = std::to_string(v.RefreshRate) + " Seconds";
    a.TimeOut = std::to_string(v.TimeOut) + " Seconds";
    a.Files = FilesInUseText(ConfigFolderOf(v), LogFolderOf(v), HelpFolderOf(v));
    a.VersionInfo = "Intercom Keyvane\nVersion 2.05 - 03/30/2020";
    return a;
}

}  // namespace kv
