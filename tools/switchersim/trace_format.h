#pragma once

#include <string>

#include "wire.h"

// Readable descriptions of messages for the trace and for test failures.

namespace sim {

// Upper-case hex bytes separated by blanks; long runs are cut after a few dozen bytes.
std::string Hex(const Bytes& bytes);
// Command name and decoded fields, e.g. "crosspoint-change code=37 in=5 out=12".
std::string Describe(const Bytes& message);
// One trace line: direction '<' (from the panel) or '>' (to it), panel id, description, hex.
std::string TraceLine(char direction, int panel, const std::string& description,
                      const Bytes& bytes);

}  // namespace sim
