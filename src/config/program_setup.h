#pragma once

#include <string>

#include "config/program_directory.h"
#include "panel/interc_variables.h"
#include "panel/view_state.h"

namespace kv {

// Gives every item of the state and the main window's look its starting value;
// the configuration file is read afterwards and overwrites the configured items.
void ProgramSetup(IntercVariables& v, MainWindowView& w, const std::string& programDirectory);

}  // namespace kv
