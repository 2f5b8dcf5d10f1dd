#include "hotkeys/hotkey_chord.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace kv {
namespace {

struct NamedKey {
    std::string_view Name;
    uint32_t KeySym;
};

// Qt's names of the keys a foot switch or a keyboard sends beside letters, digits and
// F-keys, with their X keysyms.
constexpr std::array kNamedKeys{
    NamedKey{"Space", 0x20},        NamedKey{"Esc", 0xff1b},    NamedKey{"Tab", 0xff09},
    NamedKey{"Backspace", 0xff08},  NamedKey{"Return", 0xff0d}, NamedKey{"Enter", 0xff8d},
    NamedKey{"Ins", 0xff63},        NamedKey{"Del", 0xffff},    NamedKey{"Pause", 0xff13},
    NamedKey{"Print", 0xff61},      NamedKey{"Home", 0xff50},   NamedKey{"End", 0xff57},
    NamedKey{"Left", 0xff51},       NamedKey{"Up", 0xff52},     NamedKey{"Right", 0xff53},
    NamedKey{"Down", 0xff54},       NamedKey{"PgUp", 0xff55},   NamedKey{"PgDown", 0xff56},
    NamedKey{"ScrollLock", 0xff14}, NamedKey{"Menu", 0xff67},
};

// Punctuation on the main block is its own keysym, as for letters and digits.
constexpr std::string_view kPunctuation = ",.-=;'[]/\\`+";

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::optional<NamedKey> FindKey(std::string_view name) {
    if (name.size() == 1) {
        const auto c = static_cast<unsigned char>(name[0]);
        if (std::isalpha(c)) {  // X names a letter by its small keysym
            return NamedKey{{}, static_cast<uint32_t>(std::tolower(c))};
        }
        if (std::isdigit(c) || kPunctuation.find(name[0]) != std::string_view::npos) {
            return NamedKey{{}, c};
        }
        return std::nullopt;
    }
    if ((name[0] == 'F' || name[0] == 'f') && name.size() <= 3 &&
        std::all_of(name.begin() + 1, name.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
        name[1] != '0') {
        const int n = std::stoi(std::string(name.substr(1)));
        if (n >= 1 && n <= 35) {
            return NamedKey{{}, static_cast<uint32_t>(0xffbe + n - 1)};
        }
        return std::nullopt;
    }
    for (const NamedKey& k : kNamedKeys) {
        if (SameLetters(k.Name, name)) {
            return k;
        }
    }
    return std::nullopt;
}

std::optional<uint8_t> ModifierOf(std::string_view part) {
    for (const auto& [name, bit] : {std::pair<std::string_view, uint8_t>{"Ctrl", kCtrlMod},
                                    {"Alt", kAltMod},
                                    {"Shift", kShiftMod},
                                    {"Meta", kMetaMod}}) {
        if (SameLetters(name, part)) {
            return bit;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<HotkeyChord> ReadChord(const std::string& text) {
    HotkeyChord chord;
    std::string_view rest = text;
    while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.front()))) {
        rest.remove_prefix(1);
    }
    while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.back()))) {
        rest.remove_suffix(1);
    }
    // The last part is the key, so "Ctrl++" is Ctrl with the plus key.
    for (std::size_t plus = rest.find('+'); plus != std::string_view::npos && plus > 0;
         plus = rest.find('+')) {
        const std::optional<uint8_t> bit = ModifierOf(rest.substr(0, plus));
        if (!bit) {
            return std::nullopt;
        }
        chord.Modifiers |= *bit;
        rest.remove_prefix(plus + 1);
    }
    if (rest.empty()) {
        return std::nullopt;
    }
    const std::optional<NamedKey> key = FindKey(rest);
    if (!key) {
        return std::nullopt;
    }
    chord.KeySym = key->KeySym;
    if (!key->Name.empty()) {
        chord.Key = key->Name;
    } else if (key->KeySym >= 0xffbe) {
        chord.Key = "F" + std::to_string(key->KeySym - 0xffbe + 1);
    } else {  // Qt names a letter by its capital
        chord.Key = std::string(1, static_cast<char>(std::toupper(static_cast<int>(key->KeySym))));
    }
    return chord;
}

std::string ChordText(const HotkeyChord& chord) {
    std::string text;
    for (const auto& [bit, name] : {std::pair<uint8_t, const char*>{kCtrlMod, "Ctrl+"},
                                    {kAltMod, "Alt+"},
                                    {kShiftMod, "Shift+"},
                                    {kMetaMod, "Meta+"}}) {
        if (chord.Modifiers & bit) {
            text += name;
        }
    }
    return text + chord.Key;
}

uint16_t XModifierMask(uint8_t modifiers) {
    uint16_t mask = 0;
    mask |= (modifiers & kShiftMod) ? 0x01 : 0;
    mask |= (modifiers & kCtrlMod) ? 0x04 : 0;
    mask |= (modifiers & kAltMod) ? 0x08 : 0;
    mask |= (modifiers & kMetaMod) ? 0x40 : 0;
    return mask;
}

uint8_t ModifiersOfXState(uint16_t state) {
    uint8_t modifiers = 0;
    modifiers |= (state & 0x01) ? kShiftMod : 0;
    modifiers |= (state & 0x04) ? kCtrlMod : 0;
    modifiers |= (state & 0x08) ? kAltMod : 0;
    modifiers |= (state & 0x40) ? kMetaMod : 0;
    return modifiers;
}

}  // namespace kv
