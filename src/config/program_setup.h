#pragma once

#include <string>

#include "base/file_places.h"
#include "base/program_directory.h"
#include "state/interc_variables.h"
#include "state/view_state.h"

namespace kv {

// Gives every item of the state and the main window's look its starting value;
// the configuration file is read afterwards and overwrites the configured items.
// The files lie in the given places; empty ones are the program directory.
void ProgramSetup(IntercVariables& v, MainWindowView& w, const std::string& programDirectory,
                  const FilePlaces& places = {});

}  // namespace kv
