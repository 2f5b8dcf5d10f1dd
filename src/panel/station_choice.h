#pragma once

#include <cstdint>

#include "state/panel_context.h"

// The station choice: the preset box opens the station combo, a chosen row or
// the loss of focus closes it again.

namespace kv {

void PresetWindowClick(PanelContext& ctx);          // txtPresetWindow clicked
void StationClick(PanelContext& ctx, int32_t row);  // a row of cmbStation chosen
void StationLostFocus(PanelContext& ctx);           // cmbStation lost the focus

}  // namespace kv
