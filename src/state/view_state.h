#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "state/colours.h"

// What the operator sees of the main window. The logic writes it; the Qt view
// renders it after every event.

namespace kv {

inline constexpr int kPanelButtons = 8;
// The keys, then Call Answer and Dial Up: every control an input can press.
inline constexpr int kPanelControls = kPanelButtons + 2;

struct ButtonFace {
    std::string Caption;  // two lines joined by a carriage return
    Colour BackColour = kOffColour;
    bool Enabled = true;
};

struct MainWindowView {
    std::string Caption = "ZEB Intercom Keyvane - Not Connected";
    std::array<ButtonFace, kPanelButtons> Buttons{};  // cmdButton
    Colour AnswerColour = kOffColour;                 // cmdAnswer
    Colour TakeColour = kOffColour;                   // cmdTake

    std::string InputWindowText;  // txtInputWindow: the last caller
    int16_t InputWindowTextColour = 0;
    std::string PresetWindowText;  // txtPresetWindow: the station to dial up
    int16_t PresetWindowTextColour = 0;
    bool PresetWindowVisible = true;

    std::vector<std::string> StationRows;  // cmbStation
    uint32_t StationRowsRevision = 0;      // bumped whenever StationRows is refilled
    int32_t StationSelected = -1;
    bool StationVisible = false;  // open: the view gives the combo the focus

    std::string StatusPanel1 = "Intercom Station Assignment";
    std::string StatusPanel2 = "Server Not Defined ";

    int32_t PollInterval = 0;  // tmrPoll, ms
    bool PollEnabled = false;

    int32_t WindowOrder = -2;  // the insert-after value last applied: -1 topmost, -2 not

    int16_t AlertCaller = 16383;  // the caller the desktop was last asked to notice

    // Who holds each control down now (mouse, keyboard, hotkey, remote clients).
    std::array<std::vector<uint32_t>, kPanelControls> Holders{};
};

}  // namespace kv
