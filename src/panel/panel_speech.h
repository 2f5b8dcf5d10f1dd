#pragma once

#include <array>
#include <string>

#include "panel/panel_snapshot.h"

// What a screen reader says of the panel: the meaning its colours carry, as names,
// descriptions and states. Texts are 8-bit, as the window shows them.

namespace kv {

struct ControlSpeech {
    std::string Name;         // "Key 3, STUDIO A Talk"
    std::string Description;  // "lit, held", "flashing for a call", "off"
    bool Pressed = false;     // held down now, by any input
    bool Checkable = false;   // a latching key
    bool Checked = false;     // a latching key that is lit
    bool Animated = false;    // flashing for a call
    friend bool operator==(const ControlSpeech&, const ControlSpeech&) = default;
};

struct PanelSpeech {
    std::array<ControlSpeech, kPanelControls> Controls{};  // by control number
    std::string Calling;                                   // "Calling: DIRECTOR"
    std::string DialUp;                                    // "Dial Up: FLOOR MGR"
    friend bool operator==(const PanelSpeech&, const PanelSpeech&) = default;
};

PanelSpeech SpeakPanel(const PanelSnapshot& s);

}  // namespace kv
