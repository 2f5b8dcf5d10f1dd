#pragma once

#include "panel/interc_variables.h"
#include "panel/view_state.h"
#include "platform/socket.h"

namespace kv {

// What an operation of the link or the panel touches: the state, the main
// window's view and the socket.
struct PanelContext {
    IntercVariables& v;
    MainWindowView& w;
    platform::Socket& socket;
};

}  // namespace kv
