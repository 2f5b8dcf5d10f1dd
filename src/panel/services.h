#pragma once

#include "panel/panel_context.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"

namespace kv {

// What a window's logic may use: the panel context plus the operator-facing services.
struct Services {
    PanelContext ctx;
    platform::MessageBox& box;
    platform::HelpViewer& help;
};

}  // namespace kv
