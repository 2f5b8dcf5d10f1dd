#pragma once

#include "state/panel_context.h"

namespace kv {

// One tick of tmrPoll: reconnects while closed, steps the call flashing, and every
// TicksPerPoll ticks polls (or repeats the pending request), closing a silent link.
void PollTick(PanelContext& c);

}  // namespace kv
