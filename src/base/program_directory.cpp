#include "base/program_directory.h"

#include <filesystem>
#include <system_error>

namespace kv {

std::string WithTrailingSeparator(std::string dir) {
    if (dir.empty()) {
        // Never the root directory by accident.
        return "./";
    }
    while (dir.size() > 1 && dir.back() == '/' && dir[dir.size() - 2] == '/') {
        dir.pop_back();
    }
    if (dir.back() != '/') {
        dir += '/';
    }
    return dir;
}

std::string RunningProgramDirectory() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && exe.has_parent_path()) {
        return exe.parent_path().string();
    }
    const fs::path current = fs::current_path(ec);
    return ec ? std::string() : current.string();
}

}  // namespace kv
