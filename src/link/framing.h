#pragma once

#include <cstdint>

#include "state/panel_context.h"

// Cutting the received byte stream into messages and handing each to its handler.

namespace kv {

// The socket's data-arrival event: reads until nothing more is waiting, then decodes once.
void OnDataArrival(PanelContext& c, int32_t waiting);

// Decodes and dispatches every complete message at the front of the receive buffer,
// for up to the decode budget; past it sets the buffer's Backlog and leaves the rest
// for the next call, so that a burst does not hold up the window.
void ProcessCommand(PanelContext& c);

// The tmrDecode tick: 10 ms, or at once while a backlog waits.
void DecodeTick(PanelContext& c);

}  // namespace kv
