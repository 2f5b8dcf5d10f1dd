#pragma once

#include <cstdint>

#include "state/panel_context.h"

namespace kv {

// Breaks a momentary crosspoint whose make was sent. While the link is down the
// request is kept and sent once it is up again, so no crosspoint stays made.
void BreakMomentary(PanelContext& ctx, int16_t input, int16_t output);

}  // namespace kv
