#pragma once

#include "state/interc_variables.h"
#include "state/view_state.h"

namespace kv {

// True once for each new caller that arrives while the panel window is not the
// active one: the window then asks the desktop for the operator's attention.
bool TakeCallAlert(const IntercVariables& v, MainWindowView& w, bool windowActive);

}  // namespace kv
