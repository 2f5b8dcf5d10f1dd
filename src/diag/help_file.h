#pragma once

#include <optional>
#include <string>

#include "base/file_places.h"

// The help file in the help folder and how the panel and its help viewer find each other.

namespace kv {

inline constexpr const char* kHelpViewerName = "keyvane-help";

// The program directory and the help file name with exactly one separator between them.
std::string HelpFilePath(const std::string& programDirectory);

// The file in the directory whose name equals name in any case ("intercom.hlp", ...).
// An exact match wins; nothing when there is none.
std::optional<std::string> FindFileAnyCase(const std::string& directory, const std::string& name);

// The local socket name of the viewer showing this help file: one per absolute path, so
// panels in different directories keep to their own viewer.
std::string HelpServerName(const std::string& helpFilePath);

}  // namespace kv
