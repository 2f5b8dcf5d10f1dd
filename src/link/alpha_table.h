#pragma once

#include <cstdint>
#include <span>

#include "state/panel_context.h"

namespace kv {

inline constexpr uint8_t kAlphaTable = 0xFC;
inline constexpr uint8_t kInputNamesTable = 10;
inline constexpr uint8_t kOutputNamesTable = 20;

// The alpha table (0xFC): the names and station numbers of every input or every
// output, stored sorted by name with the lookups both ways.
void ProcessAlphaTable(PanelContext& c, std::span<const uint8_t> msg);

}  // namespace kv
