#pragma once

#include <string>

// The directory that holds the program, its configuration file, error log and help.

namespace kv {

// The directory with exactly one "/" at its end; an empty one is the current directory.
std::string WithTrailingSeparator(std::string dir);

// The directory of the running executable; the current directory when it cannot be told.
std::string RunningProgramDirectory();

}  // namespace kv
