#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "base/checked.h"
#include "config/ini_file.h"
#include "config/password_code.h"
#include "diag/trap.h"

namespace kv {
namespace {

void Line(std::string& out, const std::string& text) {
    out += text + "\r\n";
}

// OverHang is even when set by the panel; an odd one is still written exactly.
std::string HalfText(int16_t value) {
    const int magnitude = value < 0 ? -static_cast<int>(value) : value;
    const std::string whole = std::to_string(magnitude / 2) + (magnitude % 2 != 0 ? ".5" : "");
    return value < 0 ? "-" + whole : whole;
}

std::string FileText(IntercVariables& v) {
    std::string out;
    Line(out, "[SETUP]");
    Line(out, "IP Address=" + v.IPAddress);
    Line(out, "IP Port=" + std::to_string(v.IPPort));
    Line(out, "[CONFIG]");
    Line(out, "Output=" + std::to_string(Add16(v.AssignedOutput, 1)));
    Line(out, "Input=" + std::to_string(Add16(v.AssignedInput, 1)));
    Line(out, "Button Count=" + std::to_string(v.ButtonCount));
    Line(out, std::string("Stay On Top=") + (v.StayOnTop == -1 ? "Yes" : "No"));
    Line(out, "Refresh Rate=" + std::to_string(v.RefreshRate));
    Line(out, "Time Out=" + std::to_string(v.TimeOut));
    Line(out, "Flash Rate=" + std::to_string(Mul16(v.FlashRate, 2)));
    Line(out, "Over Hang=" + HalfText(v.OverHang));
    Line(out, "[SECURITY]");
    Line(out, "User Name=" + v.UserName);
    Line(out, "Password=" + EncodePassword(v.Password));
    for (int i = 0; i < v.ButtonCount; ++i) {
        const ButtonRecord& button = At(v.ButtonTable, i);
        const ButtonLabel& label = At(v.ButtonLabels, i);
        Line(out, "[BUTTON " + std::to_string(i) + "]");
        Line(out, "Type=" + std::to_string(button.Type));
        Line(out, "First=" + std::to_string(Add16(button.First, 1)));
        Line(out, "Line 1=" + label.Line1);
        Line(out, "Line 2=" + label.Line2);
    }
    return out;
}

int FaultOfErrno(int error) {
    switch (error) {
        case ENOENT:
            return faults::kPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
            return faults::kPermissionDenied;
        case EISDIR:
            return faults::kPathFileAccess;
        default:
            return faults::kDeviceIo;
    }
}

// A new owner-only file of its own beside the target. Closes the descriptor and removes the
// unfinished file on every way out but success.
class TempFile {
public:
    explicit TempFile(const std::string& directory)
        : directory_(directory), path_(directory + kIniTempPrefix + "XXXXXX") {
        fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
        if (fd_ < 0) {
            Raise(FaultOfErrno(errno));
        }
    }
    ~TempFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!kept_) {
            ::unlink(path_.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // On disk before the rename, so that a crash leaves the old file or the new one whole.
    void WriteAll(const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            Check(n < 0 ? -1 : 0);
            done += static_cast<std::size_t>(n);
        }
        Check(::fsync(fd_));
        const int fd = fd_;
        fd_ = -1;
        Check(::close(fd));
    }
    void ReplaceWith(const std::string& target) {
        Check(::rename(path_.c_str(), target.c_str()));
        kept_ = true;
        // Makes the rename itself durable. The new file is in place already, so a directory
        // that cannot be synced does not turn the save into a failure.
        const int dir = ::open(directory_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }

private:
    static void Check(long result) {
        if (result < 0) {
            Raise(FaultOfErrno(errno));
        }
    }
    std::string directory_;
    std::string path_;
    int fd_ = -1;
    bool kept_ = false;
};

}  // namespace

bool WriteIniFile(IntercVariables& v) {
    return Trap(v, "Error Writing ini File", "File Error", [&] {
        // The whole text first: a value that cannot be written leaves the old file untouched.
        const std::string text = FileText(v);
        TempFile temp(ConfigFolderOf(v));
        temp.WriteAll(text);
        temp.ReplaceWith(ConfigFolderOf(v) + kIniFileName);
    });
}

}  // namespace kv
