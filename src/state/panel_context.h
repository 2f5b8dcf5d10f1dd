#pragma once

#include "state/interc_variables.h"
#include "state/socket.h"
#include "state/view_state.h"

namespace kv {

// What an operation of the link or the panel touches: the state, the main
// window's view and the socket.
struct PanelContext {
    IntercVariables& v;
    MainWindowView& w;
    platform::Socket& socket;
};

}  // namespace kv
