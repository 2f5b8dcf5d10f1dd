#include "hotkeys/hotkey_bindings.h"

#include <algorithm>

namespace kv {
namespace {

std::optional<HotkeyChord>& At(HotkeyBindings& b, int control) {
    return b.Chords[static_cast<std::size_t>(control)];
}

}  // namespace

std::string SettingName(int control) {
    if (control == kAnswerControl) {
        return "answer";
    }
    if (control == kDialControl) {
        return "dial";
    }
    return "key" + std::to_string(control + 1);
}

std::string RowLabel(int control, const PanelSnapshot& s) {
    std::string label = ControlName(control);
    if (control >= 0 && control < kPanelButtons) {
        const KeySnapshot& key = s.Keys[static_cast<std::size_t>(control)];
        for (const std::string& line : {key.Line1, key.Line2}) {
            const std::size_t first = line.find_first_not_of(' ');
            if (first != std::string::npos) {
                label += " " + line.substr(first, line.find_last_not_of(' ') - first + 1);
            }
        }
    }
    return label;
}

std::optional<int> ControlOf(const HotkeyBindings& b, const HotkeyChord& chord) {
    const auto it = std::ranges::find(b.Chords, std::optional<HotkeyChord>(chord));
    if (it == b.Chords.end()) {
        return std::nullopt;
    }
    return static_cast<int>(it - b.Chords.begin());
}

std::optional<std::string> Bind(HotkeyBindings& b, int control, const std::string& text) {
    if (!IsControl(control)) {
        return "there is no control " + std::to_string(control + 1);
    }
    const std::optional<HotkeyChord> chord = ReadChord(text);
    if (!chord) {
        return "\"" + text + "\" is not a key the panel can bind";
    }
    const std::optional<int> holder = ControlOf(b, *chord);
    if (holder && *holder != control) {
        return ChordText(*chord) + " is already bound to " + ControlName(*holder);
    }
    At(b, control) = chord;
    return std::nullopt;
}

void Clear(HotkeyBindings& b, int control) {
    if (IsControl(control)) {
        At(b, control).reset();
    }
}

ReadBindings ReadSection(const std::vector<std::pair<std::string, std::string>>& values) {
    ReadBindings read;
    for (int control = 0; control < kPanelControls; ++control) {
        const std::string name = SettingName(control);
        const auto it =
            std::ranges::find_if(values, [&](const auto& v) { return v.first == name; });
        if (it == values.end() || it->second.empty()) {
            continue;
        }
        if (const std::optional<std::string> refused = Bind(read.Bindings, control, it->second)) {
            read.Problems.push_back(name + "=" + it->second + ": " + *refused);
        }
    }
    return read;
}

std::vector<std::pair<std::string, std::string>> SectionValues(const HotkeyBindings& b) {
    std::vector<std::pair<std::string, std::string>> values;
    for (int control = 0; control < kPanelControls; ++control) {
        const std::optional<HotkeyChord>& chord = b.Chords[static_cast<std::size_t>(control)];
        values.emplace_back(SettingName(control), chord ? ChordText(*chord) : std::string());
    }
    return values;
}

}  // namespace kv
