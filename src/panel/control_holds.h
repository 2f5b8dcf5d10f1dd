#pragma once

#include <cstdint>
#include <string>

#include "panel/main_window_dialogs.h"
#include "state/panel_context.h"

// Every input that presses the panel's controls (the mouse, the keyboard, hotkeys, remote
// clients) comes through here. A control acts on the press of its first holder and on the
// release of its last, so two inputs on one key never send a second make, a repeated press
// of a holder is ignored, and a lost input can be let go of everything it holds at once.

namespace kv {

// Controls are numbered as the window orders them: the keys 0 to 7, then these two.
inline constexpr int kAnswerControl = kPanelButtons;
inline constexpr int kDialControl = kPanelButtons + 1;

inline constexpr uint32_t kMouseHolder = 1;
inline constexpr uint32_t kKeyboardHolder = 2;
inline constexpr uint32_t kHotkeyHolder = 3;
// Remote clients take their own numbers from here up.
inline constexpr uint32_t kFirstRemoteHolder = 16;

// A control's number is one of the window's controls.
bool IsControl(int control);
// "Key 3", "Call Answer", "Dial Up": how the operator and messages name a control.
std::string ControlName(int control);

// True when the control acted (the holder is its first); false for a control out of range.
bool PressControl(PanelContext& ctx, MainWindowDialogs& dialogs, int control, uint32_t holder);

// True when the control acted (the holder was its last).
bool ReleaseControl(PanelContext& ctx, int control, uint32_t holder);

// The holder is gone: each control it held is released as by its own release.
void ReleaseHolder(PanelContext& ctx, uint32_t holder);

// The panel closes: every held control is released, whoever holds it.
void ReleaseEveryHold(PanelContext& ctx);

bool IsHeld(const MainWindowView& w, int control);
bool HoldsControl(const MainWindowView& w, int control, uint32_t holder);

}  // namespace kv
