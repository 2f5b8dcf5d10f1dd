#pragma once

#include <string>
#include <string_view>
#include <vector>

// The station names the server reports in its alpha tables.

namespace sim {

// DIRECTOR, CAMERA 1, ... FLOOR MGR, then STATION 9, STATION 10, ...
std::vector<std::string> DefaultNames(int stations);
// Each non-blank line of text names the next station in order; blank lines keep
// that station's name; lines beyond the last station are ignored.
void ApplyNameLines(std::string_view text, std::vector<std::string>& names);
// Exactly width characters each: cut or padded with blanks, bytes outside
// printable ASCII replaced by '?' so every name byte is a data byte.
std::vector<std::string> FitNames(const std::vector<std::string>& names, int width);

}  // namespace sim
