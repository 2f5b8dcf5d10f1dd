#include "panel/panel_buttons.h"

#include <string>

#include "base/checked.h"
#include "diag/trap.h"
#include "link/protocol.h"
#include "panel/momentary_break.h"
#include "panel/window_order.h"

namespace kv {
namespace {

constexpr uint8_t kOff = 0;
constexpr uint8_t kOn = 1;
constexpr uint8_t kFlashLit = 10;

bool IsLatching(uint8_t type) {
    return type == kListen || type == kPListen;
}

void PressLatching(PanelContext& ctx, ButtonRecord& b, ButtonFace& face) {
    const bool listen = b.Type == kListen;
    if (b.State == kOff || b.State >= kFlashLit) {
        SendCrosspointChange(ctx, b.First, ctx.v.AssignedOutputIndex, listen ? kListenMake : kMake);
        face.BackColour = listen ? kListenColour : kPListenColour;
        b.State = kOn;
    } else {
        SendCrosspointChange(ctx, b.First, ctx.v.AssignedOutputIndex,
                             listen ? kListenBreak : kBreak);
        face.BackColour = kOffColour;
        b.State = kOff;
    }
}

void PressMomentary(PanelContext& ctx, ButtonRecord& b, ButtonFace& face) {
    if (b.Type == kTalk) {
        SendCrosspointChange(ctx, ctx.v.AssignedInputIndex, b.First, kMake);
        face.BackColour = kTalkColour;
        b.State = kOn;
        b.CallFlash = kFalse;
        return;
    }
    for (int16_t k = 0; k < b.ListCount; ++k) {
        SendCrosspointChange(ctx, ctx.v.AssignedInputIndex, Sub16(At(b.List, k), 1), kMake);
    }
    face.BackColour = kGroupColour;
    b.State = kOn;
}

}  // namespace

void ButtonPress(PanelContext& ctx, MainWindowDialogs& dialogs, int16_t index,
                 int16_t mouseButton) {
    Trap(ctx.v, "Error Processing Button Press", "Program Error", [&] {
        if (mouseButton == kRightButton) {
            // A held or lit momentary button keeps its crosspoint: no editing under it.
            const ButtonRecord& b = At(ctx.v.ButtonTable, index);
            if (!IsLatching(b.Type) && b.State == kOn) {
                return;
            }
            RunModal(ctx, dialogs, [&] { dialogs.OpenButtonLabel(std::to_string(index)); });
            return;
        }
        if (ctx.v.Connected == kFalse) {
            return;
        }
        ButtonRecord& b = At(ctx.v.ButtonTable, index);
        ButtonFace& face = At(ctx.w.Buttons, index);
        if (IsLatching(b.Type)) {
            PressLatching(ctx, b, face);
        } else if (b.Type == kTalk || b.Type == kGroup) {
            PressMomentary(ctx, b, face);
        }
    });
}

void ButtonRelease(PanelContext& ctx, int16_t index, int16_t mouseButton) {
    Trap(ctx.v, "Error Processing Button Release", "Program Error", [&] {
        if (mouseButton == kRightButton) {
            return;
        }
        // While the link is down only a held key has work left; a key beyond the
        // table was never pressed.
        if (ctx.v.Connected == kFalse && (index < 0 || index >= std::ssize(ctx.v.ButtonTable))) {
            return;
        }
        ButtonRecord& b = At(ctx.v.ButtonTable, index);
        // State 1 on a momentary button means its make was sent; the break follows
        // even when the link went down meanwhile.
        if ((b.Type != kTalk && b.Type != kGroup) || b.State != kOn) {
            return;
        }
        ButtonFace& face = At(ctx.w.Buttons, index);
        if (b.Type == kTalk) {
            BreakMomentary(ctx, ctx.v.AssignedInputIndex, b.First);
        } else {
            for (int16_t k = 0; k < b.ListCount; ++k) {
                BreakMomentary(ctx, ctx.v.AssignedInputIndex, Sub16(At(b.List, k), 1));
            }
        }
        face.BackColour = kOffColour;
        b.State = kOff;
    });
}

}  // namespace kv
