#pragma once

#include "state/panel_context.h"

// Call Answer talks back to the last caller, Dial Up to the chosen station; both
// make their crosspoint while held.

namespace kv {

void AnswerDown(PanelContext& ctx);  // cmdAnswer mouse down
void AnswerUp(PanelContext& ctx);    // cmdAnswer mouse up
void TakeDown(PanelContext& ctx);    // cmdTake mouse down
void TakeUp(PanelContext& ctx);      // cmdTake mouse up

}  // namespace kv
