#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/checked.h"
#include "base/number_reading.h"
#include "config/ini_file.h"
#include "config/password_code.h"
#include "diag/trap.h"
#include "display/button_indications.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

// Closes the file on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Fd() const { return fd_; }

private:
    int fd_;
};

// Anything but a regular file (a FIFO, a device) is never opened: opening it could hang the
// start. Non-blocking and checked again once open, in case the file was swapped meanwhile.
std::string ReadBytes(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        Raise(faults::kPathFileAccess);
    }
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Fd() < 0) {
        Raise(errno == EACCES ? faults::kPermissionDenied : faults::kPathFileAccess);
    }
    struct stat info {};
    if (::fstat(file.Fd(), &info) != 0 || !S_ISREG(info.st_mode)) {
        Raise(faults::kPathFileAccess);
    }
    std::string bytes;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(file.Fd(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            Raise(faults::kDeviceIo);
        }
        if (n == 0) {
            return bytes;
        }
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
}

// The file's lines; CR LF, a lone CR and a lone LF all end a line.
std::vector<std::string> ReadEntries(const fs::path& path) {
    const std::string bytes = ReadBytes(path);
    std::vector<std::string> entries;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') {
            continue;
        }
        entries.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < bytes.size()) {
        entries.push_back(bytes.substr(start));
    }
    return entries;
}

bool StartsWith(std::string_view entry, std::string_view key) {
    return entry.substr(0, key.size()) == key;
}

// The value stands one character after the key (the "=" is skipped unread).
std::string_view ValueOf(std::string_view entry, std::string_view key, std::size_t length) {
    const std::size_t start = key.size() + 1;
    return start >= entry.size() ? std::string_view{} : entry.substr(start, length);
}

int16_t Clamp16(int16_t value, int16_t low, int16_t high) {
    return value < low ? low : (value > high ? high : value);
}

int16_t Station(std::string_view value) {
    const int16_t v = ReadInt16(value);
    return v < 1 ? int16_t{0} : static_cast<int16_t>(v - 1);
}

struct KeyRule {
    std::string_view Key;
    std::size_t Length;
    void (*Apply)(IntercVariables& v, MainWindowView& w, std::string_view value);
};

constexpr std::array<KeyRule, 12> kKeyRules{{
    {"IP Address", 25,
     [](IntercVariables& v, MainWindowView&, std::string_view value) {
         v.IPAddress = value.empty() ? "127.0.0.1" : std::string(value);
     }},
    {"IP Port", 15,
     [](IntercVariables& v, MainWindowView&, std::string_view value) {
         const int32_t port = ReadInt32(value);
         v.IPPort = port > 0 ? port : 1250;
     }},
    {"Output", 15,
     [](IntercVariables& v, MainWindowView&, std::string_view value) {
         v.AssignedOutput = Station(value);
         v.AssignedOutputIndex = v.AssignedOutput;
     }},
    {"Input", 15,
     [](IntercVariables& v, MainWindowView&, std::string_view value) {
         v.AssignedInput = Station(value);
         v.AssignedInputIndex = v.AssignedInput;
     }},
    {"Button Count", 15,
     [](IntercVariables& v, MainWindowView&, std::string_view value) {
         const int16_t count = ReadInt16(value);
         v.ButtonCount = count < 0 ? int16_t{8} : count;
         v.ButtonTable.assign(static_cast<std::size_t>(v.ButtonCount) + 1, ButtonRecord{});
     }},
    {"Stay On Top", 4,
     [](IntercVariables& v, MainWindowView&, std::string_view value) {
         v.StayOnTop = value == "Yes" ? -1 : -2;
     }},
    {"Refresh Rate", 15,
     [](IntercVariables& v, MainWindowView&, std::string_view value) {
         v.RefreshRate = Clamp16(ReadInt16(value), 1, 32500);
     }},
    {"Time Out", 15,
     [](IntercVariables& v, MainWindowView&, std::string_view value) {
         v.TimeOut = Clamp16(ReadInt16(value), 1, 3600);
     }},
    {"Flash Rate", 15,
     [](IntercVariables& v, MainWindowView&, std::string_view value) {
         const int16_t period = ReadInt16(value);
         v.FlashRate = CInt16((period < 2 ? 2.0 : static_cast<double>(period)) / 2.0);
     }},
    {"Over Hang", 15,
     [](IntercVariables& v, MainWindowView& w, std::string_view value) {
         const int16_t seconds = ReadInt16(value);
         v.OverHang = Mul16(seconds < 1 ? int16_t{1} : seconds, 2);
         ComputeTimerValues(v, w);
     }},
    {"User Name", 50,
     [](IntercVariables& v, MainWindowView&, std::string_view value) {
         v.UserName = std::string(value);
     }},
    {"Password", 50,
     [](IntercVariables& v, MainWindowView&, std::string_view value) {
         v.Password = DecodePassword(value);
     }},
}};

constexpr std::string_view kButtonHeader = "[BUTTON";

const std::string& NextEntry(const std::vector<std::string>& entries, std::size_t& j) {
    ++j;
    if (j >= entries.size()) {
        Raise(faults::kPastEndOfFile);
    }
    return entries[j];
}

std::optional<std::string> CaptionLine(const std::string& entry, std::string_view key) {
    if (!StartsWith(entry, key)) {
        return std::nullopt;
    }
    return std::string(ValueOf(entry, key, 8));
}

// A header and the four entries after it, by position. Only one digit of the
// header is read: "[BUTTON 12]" addresses button 1.
void ReadButtonBlock(IntercVariables& v, const std::vector<std::string>& entries, std::size_t& j) {
    const int16_t n = ReadInt16(ValueOf(entries[j], kButtonHeader, 1));
    ButtonRecord& button = At(v.ButtonTable, n);
    const std::string& typeEntry = NextEntry(entries, j);
    if (StartsWith(typeEntry, "Type")) {
        const int16_t type = ReadInt16(ValueOf(typeEntry, "Type", 5));
        if (type < 0 || type > 255) {
            Raise(faults::kOverflow);
        }
        button.Type = static_cast<uint8_t>(type);
    }
    const std::string& firstEntry = NextEntry(entries, j);
    if (StartsWith(firstEntry, "First")) {
        button.First = Station(ValueOf(firstEntry, "First", 5));
        button.ListCount = 1;
    }
    const std::optional<std::string> line1 = CaptionLine(NextEntry(entries, j), "Line 1");
    const std::optional<std::string> line2 = CaptionLine(NextEntry(entries, j), "Line 2");
    const bool hasText = (line1 && !line1->empty()) || (line2 && !line2->empty());
    if (button.Type == kInactive || hasText) {
        ButtonLabel& label = At(v.ButtonLabels, n);
        // A line whose entry is missing from the block keeps the button's caption line.
        if (line1) {
            label.Line1 = *line1;
        }
        if (line2) {
            label.Line2 = *line2;
        }
    }
}

void ReadEntry(IntercVariables& v, MainWindowView& w, const std::vector<std::string>& entries,
               std::size_t& j) {
    const std::string& entry = entries[j];
    for (const KeyRule& rule : kKeyRules) {
        if (StartsWith(entry, rule.Key)) {
            rule.Apply(v, w, ValueOf(entry, rule.Key, rule.Length));
            return;
        }
    }
    if (StartsWith(entry, kButtonHeader)) {
        ReadButtonBlock(v, entries, j);
    }
}

// Kept for the operator to inspect; it holds the encoded password, so owner only. A file that
// cannot be copied (unreadable, not a regular file) is moved aside instead: the next save must
// not replace the only copy of the operator's settings.
void KeepBadCopy(const fs::path& file, const fs::path& copy) {
    std::error_code ec;
    if (fs::is_regular_file(file, ec)) {
        fs::copy_file(file, copy, fs::copy_options::overwrite_existing, ec);
        if (!ec) {
            fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write,
                            fs::perm_options::replace, ec);
            return;
        }
    }
    fs::rename(file, copy, ec);
}

}  // namespace

bool ReadIniFile(IntercVariables& v, MainWindowView& w) {
    const fs::path path = fs::path(ConfigFolderOf(v) + kIniFileName);
    std::error_code ec;
    if (!fs::exists(path, ec) && !ec) {
        return false;
    }
    const bool read = Trap(v, "Error Reading ini file", "file Error", [&] {
        const std::vector<std::string> entries = ReadEntries(path);
        for (std::size_t j = 0; j < entries.size(); ++j) {
            ReadEntry(v, w, entries, j);
        }
        LabelButtons(v, w);
        w.WindowOrder = v.StayOnTop;
    });
    if (!read) {
        KeepBadCopy(path, fs::path(ConfigFolderOf(v) + kBadIniFileName));
    }
    return read;
}

}  // namespace kv
