#include "diag/help_file.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/program_directory.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameAnyCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string HelpFilePath(const std::string& programDirectory) {
    // Taken as it stands: a folder's name may end in a blank.
    return WithTrailingSeparator(programDirectory) + kHelpFileName;
}

std::optional<std::string> FindFileAnyCase(const std::string& directory, const std::string& name) {
    std::error_code ec;
    const fs::path dir = directory.empty() ? fs::path(".") : fs::path(directory);
    if (fs::is_regular_file(dir / name, ec)) {
        return (dir / name).string();
    }
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (SameAnyCase(it->path().filename().string(), name) && it->is_regular_file(ec)) {
            return it->path().string();
        }
    }
    return std::nullopt;
}

std::string HelpServerName(const std::string& helpFilePath) {
    std::error_code ec;
    fs::path path = fs::absolute(fs::path(helpFilePath), ec);
    if (ec) {
        path = helpFilePath;
    }
    const std::string text = path.lexically_normal().string();
    // FNV-1a: short, stable across runs and builds, and safe as a socket name.
    uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return std::string("keyvane-help-") + hex;
}

}  // namespace kv
