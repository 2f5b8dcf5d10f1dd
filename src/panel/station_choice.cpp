#include "panel/station_choice.h"

#include "base/checked.h"
#include "diag/trap.h"

namespace kv {

void PresetWindowClick(PanelContext& ctx) {
    if (ctx.v.Connected == kFalse) {
        return;
    }
    ctx.w.StationVisible = true;
    ctx.w.PresetWindowVisible = false;
}

void StationClick(PanelContext& ctx, int32_t row) {
    Trap(ctx.v, "Error Processing Station Click", "Program Error", [&] {
        const int16_t index = CInt16(static_cast<long long>(row));
        const std::string& name = At(ctx.v.OutputNames, index);
        ctx.v.DialIndex = index;
        ctx.w.StationSelected = row;
        ctx.w.PresetWindowText = name;
    });
    StationLostFocus(ctx);
}

void StationLostFocus(PanelContext& ctx) {
    ctx.w.StationVisible = false;
    ctx.w.PresetWindowVisible = true;
}

}  // namespace kv
