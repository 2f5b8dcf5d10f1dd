#pragma once

#include <cstdint>

#include "panel/panel_context.h"

namespace kv {

inline constexpr int16_t kListenMake = 36;
inline constexpr int16_t kListenBreak = 32;
inline constexpr int16_t kMake = 37;
inline constexpr int16_t kBreak = 33;

// Breaks a momentary crosspoint whose make was sent. While the link is down the
// request is kept and sent once it is up again, so no crosspoint stays made.
void BreakMomentary(PanelContext& ctx, int16_t input, int16_t output);

}  // namespace kv
