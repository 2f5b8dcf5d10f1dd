#include "remote/control_token.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace kv::remote {
namespace {

constexpr std::size_t kTokenBytes = 32;
constexpr std::size_t kShortestToken = 32;  // hex digits: 128 bits

std::string PathIn(const std::string& folder) {
    return (std::filesystem::path(folder) / kTokenFileName).string();
}

bool Usable(const std::string& token) {
    return token.size() >= kShortestToken &&
           std::ranges::all_of(token, [](unsigned char c) { return std::isgraph(c) != 0; });
}

std::string Failure(const std::string& what, std::string& reason) {
    reason = what + ": " + std::strerror(errno);
    return {};
}

}  // namespace

std::string NewToken(std::string& reason) {
    std::array<unsigned char, kTokenBytes> bytes{};
    const int fd = ::open("/dev/urandom", O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Failure("cannot read /dev/urandom", reason);
    }
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n <= 0 && errno != EINTR) {
            ::close(fd);
            return Failure("cannot read /dev/urandom", reason);
        }
        got += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    ::close(fd);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string token;
    for (unsigned char b : bytes) {
        token += kHex[b >> 4];
        token += kHex[b & 0x0F];
    }
    return token;
}

bool SaveToken(const std::string& folder, const std::string& token, std::string& reason) {
    const std::string path = PathIn(folder);
    const std::string aside = path + ".new";
    ::unlink(aside.c_str());
    const int fd = ::open(aside.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        Failure("cannot write " + aside, reason);
        return false;
    }
    const std::string line = token + "\n";
    const bool written =
        ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size()) &&
        ::fsync(fd) == 0;
    ::close(fd);
    if (!written || ::rename(aside.c_str(), path.c_str()) != 0) {
        Failure("cannot write " + path, reason);
        ::unlink(aside.c_str());
        return false;
    }
    return true;
}

std::string LoadOrCreateToken(const std::string& folder, std::string& reason) {
    const std::string path = PathIn(folder);
    std::string token;
    {
        std::ifstream in(path);
        std::getline(in, token);
    }
    if (!Usable(token)) {
        token = NewToken(reason);
        return !token.empty() && SaveToken(folder, token, reason) ? token : std::string();
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && (st.st_mode & 077) != 0 &&
        ::chmod(path.c_str(), 0600) != 0) {
        return Failure("cannot make " + path + " owner-only", reason);
    }
    return token;
}

}  // namespace kv::remote
