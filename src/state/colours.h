#pragma once

#include <cstdint>

namespace kv {

struct Colour {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour kOffColour{254, 255, 244};
inline constexpr Colour kTalkColour{128, 255, 128};
inline constexpr Colour kListenColour{255, 255, 128};
inline constexpr Colour kPListenColour{255, 128, 128};
inline constexpr Colour kGroupColour{128, 128, 255};
inline constexpr Colour kInactiveColour{128, 128, 128};

// The 16-colour palette the display boxes' text colours index.
Colour PaletteColour(int16_t index);

}  // namespace kv
