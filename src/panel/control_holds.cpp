#include "panel/control_holds.h"

#include <algorithm>

#include "panel/call_answer.h"
#include "panel/panel_buttons.h"

namespace kv {
namespace {

std::vector<uint32_t>& HoldersOf(MainWindowView& w, int control) {
    return w.Holders[static_cast<std::size_t>(control)];
}

}  // namespace

bool IsControl(int control) {
    return control >= 0 && control < kPanelControls;
}

std::string ControlName(int control) {
    if (control == kAnswerControl) {
        return "Call Answer";
    }
    if (control == kDialControl) {
        return "Dial Up";
    }
    return "Key " + std::to_string(control + 1);
}

bool PressControl(PanelContext& ctx, MainWindowDialogs& dialogs, int control, uint32_t holder) {
    if (!IsControl(control) || HoldsControl(ctx.w, control, holder)) {
        return false;
    }
    std::vector<uint32_t>& holders = HoldersOf(ctx.w, control);
    holders.push_back(holder);
    if (holders.size() > 1) {
        return false;
    }
    if (control == kAnswerControl) {
        AnswerDown(ctx);
    } else if (control == kDialControl) {
        TakeDown(ctx);
    } else {
        ButtonPress(ctx, dialogs, static_cast<int16_t>(control), kLeftButton);
    }
    return true;
}

bool ReleaseControl(PanelContext& ctx, int control, uint32_t holder) {
    if (!HoldsControl(ctx.w, control, holder)) {
        return false;
    }
    std::vector<uint32_t>& holders = HoldersOf(ctx.w, control);
    std::erase(holders, holder);
    if (!holders.empty()) {
        return false;
    }
    if (control == kAnswerControl) {
        AnswerUp(ctx);
    } else if (control == kDialControl) {
        TakeUp(ctx);
    } else {
        ButtonRelease(ctx, static_cast<int16_t>(control), kLeftButton);
    }
    return true;
}

void ReleaseHolder(PanelContext& ctx, uint32_t holder) {
    for (int control = 0; control < kPanelControls; ++control) {
        ReleaseControl(ctx, control, holder);
    }
}

void ReleaseEveryHold(PanelContext& ctx) {
    for (int control = 0; control < kPanelControls; ++control) {
        const std::vector<uint32_t> holders = HoldersOf(ctx.w, control);
        for (uint32_t holder : holders) {
            ReleaseControl(ctx, control, holder);
        }
    }
}

bool IsHeld(const MainWindowView& w, int control) {
    return IsControl(control) && !w.Holders[static_cast<std::size_t>(control)].empty();
}

bool HoldsControl(const MainWindowView& w, int control, uint32_t holder) {
    return IsControl(control) &&
           std::ranges::count(w.Holders[static_cast<std::size_t>(control)], holder) > 0;
}

}  // namespace kv
