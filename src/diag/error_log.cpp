#include "diag/error_log.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "diag/trap.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kDateColumns = 24;
constexpr std::size_t kMessageColumn = 60;  // the message description starts in column 61

constexpr std::array<const char*, 11> kBanner{
    "             Z E B    I N T E R C O M    S Y S T E M S    I N C",
    "",
    "                   1200 Harbour Road, Suite 4",
    "                   Port Alder, ON  K0K 1A0",
    "                   (555) 010-0199 - keyvane.example",
    "",
    "",
    "ZEB Intercom Keyvane Error Logfile",
    "",
    " DATE     TIME           LOCATION                           MESSAGE DESCRIPTION",
    "--------------------------------------------------------------------------------",
};

std::tm CurrentTime(const IntercVariables& v) {
    if (v.ErrorLog.Now) {
        return v.ErrorLog.Now();
    }
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

fs::path LogPath(const IntercVariables& v) {
    return fs::path(LogFolderOf(v) + kErrorLogName);
}

void Check(const std::error_code& ec) {
    if (ec) {
        Raise(faults::kPathFileAccess, ec.message());
    }
}

// A copy under the name of this minute. A later rollover within the same minute takes
// " (2)", " (3)", ... after it, so that no archive is overwritten.
void ArchiveLog(const IntercVariables& v, const fs::path& log, const std::tm& now) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "Errorlog %02d%02d%02d %02d%02d", now.tm_mon + 1,
                  now.tm_mday, now.tm_year % 100, now.tm_hour, now.tm_min);
    constexpr int kArchivesPerMinute = 99;
    for (int n = 1; n <= kArchivesPerMinute; ++n) {
        const std::string suffix = n == 1 ? ".txt" : " (" + std::to_string(n) + ").txt";
        std::error_code ec;
        fs::copy_file(log, fs::path(LogFolderOf(v) + stamp + suffix), ec);
        if (ec != std::errc::file_exists) {
            Check(ec);
            return;
        }
    }
    Raise(faults::kPathFileAccess);
}

void WriteLines(std::ofstream& out, const std::string& line) {
    out << line << "\r\n";
    if (!out) {
        Raise(faults::kDeviceIo);
    }
}

// Keeps LogError from reporting about itself without end: one nested report, then silence.
class DepthGuard {
public:
    explicit DepthGuard(int16_t& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int16_t& depth_;
};

}  // namespace

std::string FormatErrorDescription(const std::string& message, const Fault& fault) {
    const std::string sign = fault.Number < 0 ? "-" : " ";
    const long long magnitude = fault.Number < 0 ? -static_cast<long long>(fault.Number)
                                                 : static_cast<long long>(fault.Number);
    return message + ": Error # " + sign + std::to_string(magnitude) + " - " + fault.Description;
}

std::string DefaultDateTimeText(const std::tm& now) {
    const int hour12 = now.tm_hour % 12 == 0 ? 12 : now.tm_hour % 12;
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d %s", now.tm_mon + 1, now.tm_mday,
                  now.tm_year + 1900, hour12, now.tm_min, now.tm_sec,
                  now.tm_hour < 12 ? "AM" : "PM");
    return text;
}

std::string FormatErrorLogLine(const std::tm& now, const std::string& category,
                               const std::string& text) {
    std::string line = DefaultDateTimeText(now);
    if (line.size() < kDateColumns) {
        line.append(kDateColumns - line.size(), ' ');
    }
    line += category;
    if (line.size() < kMessageColumn) {
        line.append(kMessageColumn - line.size(), ' ');
    }
    return line + text;
}

void LogError(IntercVariables& v, const std::string& message, const std::string& category,
              const Fault& fault) {
    if (v.ErrorLog.Depth >= 2) {
        return;
    }
    DepthGuard guard(v.ErrorLog.Depth);
    AppendErrorLogEntry(v, FormatErrorDescription(message, fault), category);
}

void AppendErrorLogEntry(IntercVariables& v, const std::string& text, const std::string& category) {
    Trap(v, "Error writing to Error file", "File Error", [&] {
        const std::tm now = CurrentTime(v);
        const std::string line = FormatErrorLogLine(now, category, text);
        const fs::path log = LogPath(v);
        std::error_code ec;
        const bool exists = fs::exists(log, ec);
        Check(ec);
        const std::uintmax_t length = exists ? fs::file_size(log, ec) : 0;
        Check(ec);
        if (length >= v.ErrorLog.RolloverSize) {
            ArchiveLog(v, log, now);
            fs::remove(log, ec);
            Check(ec);
        }
        // An empty log is one whose banner a failed write lost.
        if (!fs::exists(log, ec) || fs::file_size(log, ec) == 0) {
            CreateErrorLogFile(v);
        }
        std::ofstream out(log, std::ios::binary | std::ios::app);
        if (!out) {
            Raise(faults::kPathFileAccess);
        }
        WriteLines(out, line);
    });
}

void CreateErrorLogFile(IntercVariables& v) {
    // A failure here is not reported: the entry is still appended without a banner.
    try {
        std::ofstream out(LogPath(v), std::ios::binary | std::ios::trunc);
        if (!out) {
            return;
        }
        for (const char* line : kBanner) {
            WriteLines(out, line);
        }
    } catch (const Fault&) {
    }
}

}  // namespace kv
