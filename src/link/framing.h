#pragma once

#include <cstdint>

#include "panel/panel_context.h"

// Cutting the received byte stream into messages and handing each to its handler.

namespace kv {

// The socket's data-arrival event: reads until nothing more is waiting, then decodes once.
void OnDataArrival(PanelContext& c, int32_t waiting);

// Decodes at most one message from the front of the receive buffer and dispatches it.
void ProcessCommand(PanelContext& c);

// The 10 ms tmrDecode tick.
void DecodeTick(PanelContext& c);

}  // namespace kv
