#include "panel/window_order.h"

namespace kv {

void RunModal(PanelContext& ctx, MainWindowDialogs& dialogs, const std::function<void()>& open) {
    ctx.w.WindowOrder = kNotTopmost;
    dialogs.ApplyWindowOrder();
    // Behind the modal window the operator sees the panel as it stands, never a blank one.
    dialogs.ShowPanel();
    open();
    ctx.w.WindowOrder = ctx.v.StayOnTop;
    dialogs.ApplyWindowOrder();
}

}  // namespace kv
