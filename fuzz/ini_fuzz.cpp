// Feeds arbitrary bytes to the configuration reader as the file beside the
// program. Whatever it reads and can write again must read back the same.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/ini_file.h"
#include "config/program_setup.h"
#include "temp_dir.h"

namespace {

// One program directory per run, removed when the fuzzer exits.
const TempDir& Directory() {
    static const TempDir directory;
    return directory;
}

bool ReadFresh(kv::IntercVariables& v, kv::MainWindowView& w) {
    kv::ProgramSetup(v, w, Directory().dir());
    v.ErrorLog.RolloverSize = 1 << 16;
    return kv::ReadIniFile(v, w);
}

bool SameRecord(const kv::IntercVariables& a, const kv::IntercVariables& b) {
    bool same = (a.IPAddress.empty() || a.IPAddress == b.IPAddress) && a.IPPort == b.IPPort &&
                a.AssignedOutput == b.AssignedOutput && a.AssignedInput == b.AssignedInput &&
                a.ButtonCount == b.ButtonCount && a.StayOnTop == b.StayOnTop &&
                a.RefreshRate == b.RefreshRate && a.TimeOut == b.TimeOut &&
                a.FlashRate == b.FlashRate && a.OverHang == b.OverHang &&
                a.UserName == b.UserName && a.Password == b.Password;
    for (std::size_t i = 0; same && i < static_cast<std::size_t>(a.ButtonCount); ++i) {
        const kv::ButtonRecord &x = a.ButtonTable[i], &y = b.ButtonTable[i];
        const kv::ButtonLabel &l = a.ButtonLabels[i], &m = b.ButtonLabels[i];
        // Empty lines on an active button are not taken back: the caption stays.
        const bool taken = x.Type == kv::kInactive || !l.Line1.empty() || !l.Line2.empty();
        same = x.Type == y.Type && x.First == y.First &&
               (!taken || (l.Line1 == m.Line1 && l.Line2 == m.Line2));
    }
    return same;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Directory().Write(kv::kIniFileName, std::string(reinterpret_cast<const char*>(data), size));
    kv::IntercVariables first, again;
    kv::MainWindowView firstView, againView;
    if (ReadFresh(first, firstView) && kv::WriteIniFile(first) &&
        !(ReadFresh(again, againView) && SameRecord(first, again))) {
        std::abort();
    }
    return 0;
}
