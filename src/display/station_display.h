#pragma once

#include "state/interc_variables.h"
#include "state/view_state.h"

namespace kv {

// Finds the station talking to the panel's own output and shows its name.
void UpdateDisplay(IntercVariables& v, MainWindowView& w);

// Refills the station combo from the output names and selects the first row.
void LoadStationCombo(IntercVariables& v, MainWindowView& w);

}  // namespace kv
