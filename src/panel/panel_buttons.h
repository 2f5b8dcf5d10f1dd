#pragma once

#include <cstdint>

#include "panel/main_window_dialogs.h"
#include "state/panel_context.h"

// The eight panel buttons: Listen and P-Listen latch, Talk and Group act while held.

namespace kv {

// Mouse buttons as the press and release events report them.
inline constexpr int16_t kLeftButton = 1;
inline constexpr int16_t kRightButton = 2;
inline constexpr int16_t kMiddleButton = 4;

// Mouse down on cmdButton(index). The right button opens the caption editor of that button.
void ButtonPress(PanelContext& ctx, MainWindowDialogs& dialogs, int16_t index, int16_t mouseButton);

// Mouse up on cmdButton(index).
void ButtonRelease(PanelContext& ctx, int16_t index, int16_t mouseButton);

}  // namespace kv
