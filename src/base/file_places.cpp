#include "base/file_places.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/program_directory.h"

namespace kv {

const char* const kInstalledDataFolder = KEYVANE_INSTALLED_DATA_FOLDER;

namespace {

namespace fs = std::filesystem;

bool IsAbsolute(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

// An XDG folder when it is absolute (a relative one is to be ignored), else HOME's default.
std::string UserFolder(const std::string& xdg, const std::string& home, const char* fallback) {
    if (IsAbsolute(xdg)) {
        return WithTrailingSeparator(xdg) + kPlacesFolderName + "/";
    }
    if (IsAbsolute(home)) {
        return WithTrailingSeparator(home) + fallback + kPlacesFolderName + "/";
    }
    return {};
}

std::string DataFolder(const std::string& programDirectory) {
    const fs::path data = fs::path(programDirectory) / kInstalledDataFolder;
    return WithTrailingSeparator(data.lexically_normal().string());
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// HOME, or the account's home folder when HOME is unset (a service, a bare su).
std::string HomeFolder() {
    std::string home = Env("HOME");
    if (home.empty()) {
        const passwd* account = ::getpwuid(::getuid());
        home = account && account->pw_dir ? account->pw_dir : "";
    }
    return home;
}

bool IsFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

}  // namespace

FilePlaces ChoosePlaces(const PlaceFacts& facts) {
    FilePlaces places;
    const std::string program = WithTrailingSeparator(facts.ProgramDirectory);
    // Help that lies only in the data folder marks an installed program even where its
    // folder is writable (root, or an install into ~/.local): never write beside /usr/bin.
    const bool installedHelp = facts.HelpInDataFolder && !facts.HelpBesideProgram;
    places.Installed = !facts.ProgramDirectoryWritable || installedHelp;
    places.HelpFolder = installedHelp ? DataFolder(facts.ProgramDirectory) : program;
    if (facts.ConfigOption) {
        places.ConfigFolder = WithTrailingSeparator(*facts.ConfigOption);
        places.LogFolder = places.ConfigFolder;
    } else if (places.Installed) {
        places.ConfigFolder = UserFolder(facts.XdgConfigHome, facts.Home, ".config/");
        places.LogFolder = UserFolder(facts.XdgStateHome, facts.Home, ".local/state/");
    } else {
        places.ConfigFolder = program;
        places.LogFolder = program;
    }
    return places;
}

PlaceFacts ReadPlaceFacts(const std::string& programDirectory,
                          const std::optional<std::string>& configOption) {
    PlaceFacts facts;
    facts.ProgramDirectory = programDirectory;
    facts.ProgramDirectoryWritable = ::access(programDirectory.c_str(), W_OK | X_OK) == 0;
    facts.XdgConfigHome = Env("XDG_CONFIG_HOME");
    facts.XdgStateHome = Env("XDG_STATE_HOME");
    facts.Home = HomeFolder();
    if (configOption) {
        std::error_code ec;
        const fs::path absolute = fs::absolute(*configOption, ec);
        facts.ConfigOption = ec ? *configOption : absolute.lexically_normal().string();
    }
    facts.HelpBesideProgram = IsFile(fs::path(programDirectory) / kHelpFileName);
    facts.HelpInDataFolder = IsFile(fs::path(DataFolder(programDirectory)) / kHelpFileName);
    return facts;
}

bool MakePrivateFolder(const std::string& folder, std::string& reason) {
    fs::path partial;
    for (const fs::path& part : fs::path(folder)) {
        partial /= part;
        if (part.empty() || ::mkdir(partial.c_str(), 0700) == 0 || errno == EEXIST) {
            continue;
        }
        reason = "cannot create " + partial.string() + ": " + std::strerror(errno);
        return false;
    }
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        reason = folder + " is not a folder";
        return false;
    }
    return true;
}

std::string FilesInUseText(const std::string& configFolder, const std::string& logFolder,
                           const std::string& helpFolder) {
    return "Configuration file: " + configFolder + kIniFileName + "\nError log: " + logFolder +
           kErrorLogName + "\nHelp file: " + helpFolder + kHelpFileName;
}

std::string ConfigFolderOf(const IntercVariables& v) {
    return v.ConfigDirectory.empty() ? v.ProgramDirectory : v.ConfigDirectory;
}

std::string LogFolderOf(const IntercVariables& v) {
    return v.LogDirectory.empty() ? v.ProgramDirectory : v.LogDirectory;
}

std::string HelpFolderOf(const IntercVariables& v) {
    return v.HelpDirectory.empty() ? v.ProgramDirectory : v.HelpDirectory;
}

}  // namespace kv
