#pragma once

#include <functional>

#include "state/panel_context.h"

namespace kv {

// Routes the socket's connect, close and data-arrival events to the link; after
// each one, afterEvent lets the window show the result.
void SetUpSocket(PanelContext& ctx, std::function<void()> afterEvent);

}  // namespace kv
