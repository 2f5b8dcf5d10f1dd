#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "state/panel_context.h"

// The panel as an outside reader takes it in at one moment: what each key is and shows, who
// calls, which station Dial Up reaches. Remote control reports it and the screen reader
// speaks it; both read the same state the window draws.

namespace kv {

struct StationMention {
    int16_t Station = 0;
    std::string Name;  // 8-bit text, as the window shows it, without the padding
    friend bool operator==(const StationMention&, const StationMention&) = default;
};

struct KeySnapshot {
    int Index = 0;
    std::string Line1;
    std::string Line2;
    std::string Type;  // "listen", "p-listen", "talk", "group", "inactive", ...
    int16_t Station = 0;
    bool Lit = false;       // its crosspoint is made or latched
    bool Flashing = false;  // its station calls
    bool Held = false;
    bool Enabled = true;
    friend bool operator==(const KeySnapshot&, const KeySnapshot&) = default;
};

struct PanelSnapshot {
    bool Connected = false;
    std::string Caption;
    std::optional<StationMention> Caller;
    std::optional<StationMention> Dial;
    std::array<KeySnapshot, kPanelButtons> Keys{};
    bool AnswerHeld = false;
    bool DialHeld = false;
    friend bool operator==(const PanelSnapshot&, const PanelSnapshot&) = default;
};

// The type word of a button type code; unknown codes read "unknown".
const char* ButtonTypeName(uint8_t type);

PanelSnapshot TakeSnapshot(const IntercVariables& v, const MainWindowView& w);

}  // namespace kv
