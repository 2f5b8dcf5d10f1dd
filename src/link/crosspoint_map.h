#pragma once

#include <cstdint>
#include <span>

#include "state/panel_context.h"

namespace kv {

inline constexpr uint8_t kCrosspointMap = 0xF6;
inline constexpr uint8_t kExtendedMapBit = 0x40;
inline constexpr uint8_t kMapWithThirdValue = 10;
inline constexpr uint8_t kMarkedEntry = 10;
inline constexpr int kMaxEntries = 64;
inline constexpr int kMaxMarkedEntries = 32;

// The crosspoint map (0xF6): for a run of outputs, the inputs feeding each one.
void ProcessCrosspointMap(PanelContext& c, std::span<const uint8_t> msg);

}  // namespace kv
