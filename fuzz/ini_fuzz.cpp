// Feeds arbitrary bytes to the configuration reader as the file beside the
// program. Whatever it reads and can write again must read back the same.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "config/ini_file.h"
#include "config/program_setup.h"

namespace {

namespace fs = std::filesystem;

// One program directory per run, removed when the fuzzer exits.
class FuzzDirectory {
public:
    FuzzDirectory()
        : path_(fs::temp_directory_path() / ("keyvane-ini-fuzz-" + std::to_string(getpid()))) {
        fs::create_directories(path_);
    }
    ~FuzzDirectory() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    FuzzDirectory(const FuzzDirectory&) = delete;
    FuzzDirectory& operator=(const FuzzDirectory&) = delete;
    std::string dir() const { return path_.string() + "/"; }

private:
    fs::path path_;
};

const std::string& ProgramDirectory() {
    static const FuzzDirectory directory;
    static const std::string dir = directory.dir();
    return dir;
}

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool ReadFresh(kv::IntercVariables& v, kv::MainWindowView& w) {
    kv::ProgramSetup(v, w, ProgramDirectory());
    v.ErrorLog.RolloverSize = 1 << 16;
    return kv::ReadIniFile(v, w);
}

void RequireSameRecord(const kv::IntercVariables& a, const kv::IntercVariables& b) {
    Require(a.IPAddress.empty() || a.IPAddress == b.IPAddress);
    Require(a.IPPort == b.IPPort && a.AssignedOutput == b.AssignedOutput &&
            a.AssignedInput == b.AssignedInput && a.ButtonCount == b.ButtonCount);
    Require(a.StayOnTop == b.StayOnTop && a.RefreshRate == b.RefreshRate &&
            a.TimeOut == b.TimeOut && a.FlashRate == b.FlashRate && a.OverHang == b.OverHang);
    Require(a.UserName == b.UserName && a.Password == b.Password);
    for (int i = 0; i < a.ButtonCount; ++i) {
        const kv::ButtonRecord& x = a.ButtonTable[static_cast<std::size_t>(i)];
        const kv::ButtonRecord& y = b.ButtonTable[static_cast<std::size_t>(i)];
        Require(x.Type == y.Type && x.First == y.First);
        const kv::ButtonLabel& l = a.ButtonLabels[static_cast<std::size_t>(i)];
        if (x.Type == kv::kInactive || !l.Line1.empty() || !l.Line2.empty()) {
            const kv::ButtonLabel& m = b.ButtonLabels[static_cast<std::size_t>(i)];
            Require(l.Line1 == m.Line1 && l.Line2 == m.Line2);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream out(ProgramDirectory() + kv::kIniFileName,
                          std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    kv::IntercVariables first;
    kv::MainWindowView firstView;
    if (!ReadFresh(first, firstView)) {
        return 0;
    }
    first.ProgramDirectory = ProgramDirectory();
    if (!kv::WriteIniFile(first)) {
        return 0;
    }
    kv::IntercVariables again;
    kv::MainWindowView againView;
    Require(ReadFresh(again, againView));
    RequireSameRecord(first, again);
    return 0;
}
