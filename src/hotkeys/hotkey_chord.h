#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A key with its modifiers, as Qt writes it in portable text ("F9", "Ctrl+Shift+T") and as
// the X server grabs it (a keysym and a modifier mask). Read here once, so a binding typed
// into keyvane.conf by hand means what the same key pressed in the dialog means.

namespace kv {

inline constexpr uint8_t kShiftMod = 1;
inline constexpr uint8_t kCtrlMod = 2;
inline constexpr uint8_t kAltMod = 4;
inline constexpr uint8_t kMetaMod = 8;

struct HotkeyChord {
    uint8_t Modifiers = 0;
    std::string Key;  // Qt's name of the key: "F9", "T", "PgUp", "Space"
    uint32_t KeySym = 0;
    friend bool operator==(const HotkeyChord&, const HotkeyChord&) = default;
};

// Modifiers in any order and case, then one key; none for an empty text, a text of
// modifiers only, or a key this panel does not know.
std::optional<HotkeyChord> ReadChord(const std::string& text);

// Qt's portable text, modifiers in Qt's order: "Ctrl+Alt+Shift+Meta+Key".
std::string ChordText(const HotkeyChord& chord);

// The X core modifier mask of the chord (Shift, Control, Mod1 for Alt, Mod4 for Meta).
uint16_t XModifierMask(uint8_t modifiers);
// Those four bits of an X event's state, as chord modifiers; Lock and NumLock play no part.
uint8_t ModifiersOfXState(uint16_t state);

}  // namespace kv
