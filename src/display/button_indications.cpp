#include "display/button_indications.h"

#include "base/checked.h"
#include "diag/trap.h"

namespace kv {
namespace {

constexpr const char* kCategory = "Button Error";
constexpr uint8_t kStateOff = 0;
constexpr uint8_t kStateOn = 1;
constexpr uint8_t kStateFlashLit = 10;

void Paint(MainWindowView& w, int index, Colour colour) {
    At(w.Buttons, index).BackColour = colour;
}

// The output of the intercom station an input belongs to; none for an input
// the channel table does not cover.
int16_t StationOfInput(const IntercVariables& v, int16_t input) {
    if (input < 0 || input >= static_cast<int>(v.IcomChannel.size())) {
        return kNoStation;
    }
    return v.IcomChannel[static_cast<std::size_t>(input)];
}

}  // namespace

void LabelButtons(IntercVariables& v, MainWindowView& w) {
    Trap(v, "Error Labeling Buttons", kCategory, [&] {
        for (int i = 0; i < v.ButtonCount; ++i) {
            const ButtonLabel& label = At(v.ButtonLabels, i);
            At(w.Buttons, i).Caption = label.Line1 + '\r' + label.Line2;
        }
        ShowBaseColours(v, w);
    });
}

void ShowBaseColours(const IntercVariables& v, MainWindowView& w) {
    for (int i = 0; i < v.ButtonCount; ++i) {
        ButtonFace& face = At(w.Buttons, i);
        if (At(v.ButtonTable, i).Type == kInactive) {
            face.BackColour = kInactiveColour;  // its enabled state stays as it was
        } else {
            face.BackColour = kOffColour;
            face.Enabled = true;
        }
    }
}

void DetermineButtonFlash(IntercVariables& v, MainWindowView& w, int16_t index) {
    Trap(v, "Error Determining Button Flash", kCategory, [&] {
        ButtonRecord& b = At(v.ButtonTable, index);
        const CrosspointEntry& m = At(v.CrosspointMap, v.AssignedOutput);
        bool found = false;
        // The caller is still there while a source of the own output belongs to
        // the button's station.
        for (int j = 0; j < m.Count; ++j) {
            const int16_t station = StationOfInput(v, At(m.Sources, j));
            if (station != kNoStation && station == b.First) {
                found = true;
            }
        }
        if (!found) {
            if (b.OverhangCount == 0) {
                b.OverhangCount = v.OverHang;
            } else if (b.OverhangCount == 1) {
                b.OverhangCount = 0;
                b.State = kStateOff;
                b.CallFlash = kFalse;
                Paint(w, index, kOffColour);
                return;
            } else {
                b.OverhangCount = Sub16(b.OverhangCount, 1);
            }
        }
        if (b.State == kStateFlashLit) {
            b.State = kStateOff;
            Paint(w, index, kOffColour);
        } else if (b.State == kStateOff && v.TickCount % 2 == 0) {
            b.State = kStateFlashLit;
            Paint(w, index, kTalkColour);
        }
    });
}

void DetermineButtonFlashState(IntercVariables& v, MainWindowView&) {
    Trap(v, "Error Determining Button Flash State", kCategory, [&] {
        for (int i = 0; i < v.ButtonCount; ++i) {
            ButtonRecord& b = At(v.ButtonTable, i);
            if (b.Type == kTalk && b.First == v.LastCaller) {
                b.CallFlash = kTrue;
            }
        }
    });
}

void DetermineListenButtons(IntercVariables& v, MainWindowView& w) {
    Trap(v, "Error Determining Listen Buttons", kCategory, [&] {
        const CrosspointEntry& m = At(v.CrosspointMap, v.AssignedOutput);
        for (int i = 0; i < v.ButtonCount; ++i) {
            ButtonRecord& b = At(v.ButtonTable, i);
            if (b.Type != kListen && b.Type != kPListen) {
                continue;
            }
            const uint8_t wantedLevel = b.Type == kListen ? 0 : 1;
            const Colour lit = b.Type == kListen ? kListenColour : kPListenColour;
            if (m.Count == 0 && b.State == kStateOn) {
                b.State = kStateOff;
                Paint(w, i, kOffColour);
                continue;
            }
            if (b.ListCount != 1) {
                continue;
            }
            for (int j = 0; j < m.Count; ++j) {
                if (b.First == At(m.Sources, j) && m.Level == wantedLevel) {
                    b.State = kStateOn;
                    Paint(w, i, lit);
                    break;
                }
                if (b.State == kStateOn) {
                    b.State = kStateOff;
                    Paint(w, i, kOffColour);
                }
            }
        }
    });
}

void DetermineButtonFlashOff(IntercVariables& v, MainWindowView& w, int16_t station) {
    Trap(v, "Error Determining Button Flash Off", kCategory, [&] {
        for (int i = 0; i < v.ButtonCount; ++i) {
            ButtonRecord& b = At(v.ButtonTable, i);
            if (b.Type == kTalk && b.First == station) {
                b.CallFlash = kFalse;
                Paint(w, i, kOffColour);
            }
        }
    });
}

}  // namespace kv
