#pragma once

#include "state/help_viewer.h"
#include "state/message_box.h"
#include "state/panel_context.h"

namespace kv {

// What a window's logic may use: the panel context plus the operator-facing services.
struct Services {
    PanelContext ctx;
    platform::MessageBox& box;
    platform::HelpViewer& help;
};

}  // namespace kv
