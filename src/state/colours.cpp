#include "state/colours.h"

#include <array>

namespace kv {

Colour PaletteColour(int16_t index) {
    static constexpr std::array<Colour, 16> kPalette{{
        {0, 0, 0},
        {0, 0, 128},
        {0, 128, 0},
        {0, 128, 128},
        {128, 0, 0},
        {128, 0, 128},
        {128, 128, 0},
        {192, 192, 192},
        {128, 128, 128},
        {0, 0, 255},
        {0, 255, 0},
        {0, 255, 255},
        {255, 0, 0},
        {255, 0, 255},
        {255, 255, 0},
        {255, 255, 255},
    }};
    return kPalette[static_cast<std::size_t>(index) & 15u];
}

}  // namespace kv
