#include "panel/call_answer.h"

#include "base/checked.h"
#include "diag/trap.h"
#include "display/button_indications.h"
#include "link/protocol.h"
#include "panel/momentary_break.h"

namespace kv {
namespace {

// Makes the crosspoint and remembers it, so the release breaks this very one.
void MakeHeld(PanelContext& ctx, HeldCrosspoint& held, int16_t output) {
    SendCrosspointChange(ctx, ctx.v.AssignedInput, output, kMake);
    held = HeldCrosspoint{kTrue, ctx.v.AssignedInput, output};
}

// True when a make was sent and is now broken (or kept for the link's return).
bool BreakHeld(PanelContext& ctx, HeldCrosspoint& held) {
    if (held.Held == kFalse) {
        return false;
    }
    held.Held = kFalse;
    BreakMomentary(ctx, held.Input, held.Output);
    return true;
}

}  // namespace

void AnswerDown(PanelContext& ctx) {
    Trap(ctx.v, "Error Processing Call Answer", "Program Error", [&] {
        if (ctx.v.Connected == kFalse) {
            return;
        }
        MakeHeld(ctx, ctx.v.AnswerHeld, ctx.v.LastCaller);
        ctx.w.AnswerColour = kTalkColour;
        DetermineButtonFlashOff(ctx.v, ctx.w, ctx.v.LastCaller);
    });
}

void AnswerUp(PanelContext& ctx) {
    Trap(ctx.v, "Error Processing Call Answer", "Program Error", [&] {
        if (BreakHeld(ctx, ctx.v.AnswerHeld)) {
            ctx.w.AnswerColour = kOffColour;
        }
    });
}

void TakeDown(PanelContext& ctx) {
    Trap(ctx.v, "Error Processing Take Button", "Program Error", [&] {
        if (ctx.v.Connected == kFalse) {
            return;
        }
        const int16_t station = At(ctx.v.OutputNumbers, ctx.v.DialIndex);
        MakeHeld(ctx, ctx.v.TakeHeld, station);
        ctx.w.TakeColour = kTalkColour;
        DetermineButtonFlashOff(ctx.v, ctx.w, station);
    });
}

void TakeUp(PanelContext& ctx) {
    Trap(ctx.v, "Error Processing Take Button Release", "Program Error", [&] {
        if (BreakHeld(ctx, ctx.v.TakeHeld)) {
            ctx.w.TakeColour = kOffColour;
        }
    });
}

}  // namespace kv
