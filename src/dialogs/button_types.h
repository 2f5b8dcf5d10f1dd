#pragma once

#include <array>
#include <cstdint>

#include "state/colours.h"

// The ten type options of the programming dialog: the option index is the type code.

namespace kv {

enum class StationList { None, Inputs, Outputs };

struct TypeOption {
    uint8_t Code;
    const char* Caption;
    const char* Tooltip;  // empty: none
    int Column;           // 1 or 2
    int Row;              // 1 to 5
    Colour Back;
    Colour Text;
    bool Choosable;
    StationList List;
};

inline constexpr std::array<TypeOption, 10> kTypeOptions{{
    {0,
     "Listen",
     "Listen to Selected Input (First Listed)",
     1,
     1,
     {255, 255, 128},
     {128, 128, 0},
     true,
     StationList::Inputs},
    {1, "P-Listen", "", 2, 1, {255, 128, 128}, {255, 0, 0}, true, StationList::Inputs},
    {2,
     "Talk",
     "Call Selected Output (First",
     1,
     2,
     {128, 255, 128},
     {0, 128, 0},
     true,
     StationList::Outputs},
    {3, "Group", "", 2, 2, {128, 128, 255}, {0, 0, 192}, false, StationList::None},
    {4,
     "Salvo",
     "Execute Selected Salvo",
     1,
     3,
     {0, 255, 255},
     {0, 128, 128},
     false,
     StationList::None},
    {255, "Inactive", "", 2, 3, {128, 128, 128}, {64, 64, 64}, true, StationList::None},
    {90, "Opto Tgl", "Toggle Opto", 1, 4, {255, 128, 128}, {255, 0, 0}, false, StationList::None},
    {91, "Opto Pls", "Pulse Opto", 2, 4, {255, 128, 128}, {255, 0, 0}, false, StationList::None},
    {95, "Relay Tgl", "Toggle Relay", 1, 5, {181, 247, 202}, {0, 128, 0}, false, StationList::None},
    {96, "Relay Pls", "Pulse Relay", 2, 5, {181, 247, 202}, {0, 128, 0}, false, StationList::None},
}};

// The option of a type code; nullptr for a code that has none.
inline const TypeOption* FindTypeOption(int code) {
    for (const TypeOption& option : kTypeOptions) {
        if (option.Code == code) {
            return &option;
        }
    }
    return nullptr;
}

}  // namespace kv
