#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "hotkeys/hotkey_chord.h"
#include "panel/control_holds.h"
#include "panel/panel_snapshot.h"

// Which key presses which control of the panel: one chord at most per control, and a chord
// on one control at most. Kept in keyvane.conf, section [hotkeys], keys key1 to key8,
// answer and dial, each a chord in Qt's portable text.

namespace kv {

inline constexpr const char* kHotkeysSection = "hotkeys";

struct HotkeyBindings {
    std::array<std::optional<HotkeyChord>, kPanelControls> Chords{};
};

// "key1" ... "key8", "answer", "dial".
std::string SettingName(int control);

// A row of the Hotkeys dialog: the control's name, a key with its caption ("Key 1 STUDIO A").
std::string RowLabel(int control, const PanelSnapshot& s);

// The control this chord presses, if any.
std::optional<int> ControlOf(const HotkeyBindings& b, const HotkeyChord& chord);

// Binds text to control. On refusal, the reason for the operator ("F9 is already bound to
// Key 3") and nothing changed. The control's own chord again is no change and no refusal.
std::optional<std::string> Bind(HotkeyBindings& b, int control, const std::string& text);
void Clear(HotkeyBindings& b, int control);

struct ReadBindings {
    HotkeyBindings Bindings;
    std::vector<std::string> Problems;  // one line each, naming the setting
};

// The section's values by setting name; unknown names are not ours to judge. A chord bound
// twice keeps its first control, in the order key1 ... dial.
ReadBindings ReadSection(const std::vector<std::pair<std::string, std::string>>& values);

// Each setting's value; an unbound control's is empty, which removes the setting.
std::vector<std::pair<std::string, std::string>> SectionValues(const HotkeyBindings& b);

}  // namespace kv
