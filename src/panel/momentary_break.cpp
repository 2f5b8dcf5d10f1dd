#include "panel/momentary_break.h"

#include "link/protocol.h"

namespace kv {

void BreakMomentary(PanelContext& ctx, int16_t input, int16_t output) {
    if (ctx.v.Connected != kFalse) {
        SendCrosspointChange(ctx, input, output, kBreak);
    } else {
        ctx.v.KeptBreaks.push_back(KeptBreak{input, output, kBreak});
    }
}

}  // namespace kv
