#pragma once

#include <functional>

#include "panel/main_window_dialogs.h"
#include "state/panel_context.h"

namespace kv {

inline constexpr int32_t kTopmost = -1;
inline constexpr int32_t kNotTopmost = -2;

// Gives up keep-on-top so a modal window can come to the front, runs it, and
// applies StayOnTop again once it has closed.
void RunModal(PanelContext& ctx, MainWindowDialogs& dialogs, const std::function<void()>& open);

}  // namespace kv
