#pragma once

#include <optional>
#include <string>

#include "state/interc_variables.h"

// Where the panel's files live. A program directory the operator can write keeps
// everything beside the program (a copied folder, the demo). An installed program keeps
// the configuration and the error log in the user's own folders, and finds its help in
// the installed data folder.

namespace kv {

inline constexpr const char* kIniFileName = "zebntpnl.ini";
inline constexpr const char* kErrorLogName = "Errorlog.txt";
inline constexpr const char* kHelpFileName = "Intercom.HLP";
inline constexpr const char* kPlacesFolderName = "keyvane";

// The installed data folder relative to the program's folder ("../share/keyvane").
extern const char* const kInstalledDataFolder;

// What decides the places, as found on this system. Empty texts are unset.
struct PlaceFacts {
    std::string ProgramDirectory;
    bool ProgramDirectoryWritable = false;
    std::string XdgConfigHome;
    std::string XdgStateHome;
    std::string Home;
    std::optional<std::string> ConfigOption;  // --config DIR, made absolute
    bool HelpBesideProgram = false;
    bool HelpInDataFolder = false;
};

// Every folder ends in exactly one "/"; an empty one is the program directory, except
// that an installed program without a config folder has no home to keep its files in.
struct FilePlaces {
    std::string ConfigFolder;
    std::string LogFolder;
    std::string HelpFolder;
    bool Installed = false;  // the per-user folders, not the program directory
};

FilePlaces ChoosePlaces(const PlaceFacts& facts);

// The facts of this process: its environment and the file system around the program.
PlaceFacts ReadPlaceFacts(const std::string& programDirectory,
                          const std::optional<std::string>& configOption);

// Creates the folder and its missing parents, owner-only. False with the reason when
// it is not a folder afterwards.
bool MakePrivateFolder(const std::string& folder, std::string& reason);

// The files in use, one line each, as the about window and --help name them.
std::string FilesInUseText(const std::string& configFolder, const std::string& logFolder,
                           const std::string& helpFolder);

// The folders of the state; an empty one is the program directory.
std::string ConfigFolderOf(const IntercVariables& v);
std::string LogFolderOf(const IntercVariables& v);
std::string HelpFolderOf(const IntercVariables& v);

}  // namespace kv
