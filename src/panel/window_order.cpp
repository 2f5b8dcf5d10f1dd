#include "panel/window_order.h"

namespace kv {

void RunModal(PanelContext& ctx, MainWindowDialogs& dialogs, const std::function<void()>& open) {
    ctx.w.WindowOrder = kNotTopmost;
    dialogs.ApplyWindowOrder();
    open();
    ctx.w.WindowOrder = ctx.v.StayOnTop;
    dialogs.ApplyWindowOrder();
}

}  // namespace kv
