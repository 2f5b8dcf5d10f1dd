#pragma once

#include "switcher.h"
#include "wire.h"

// Messages the server sends to a panel.

namespace sim {

inline constexpr uint8_t kAlphaTable = 0xFC;
inline constexpr uint8_t kCrosspointMap = 0xF6;
inline constexpr uint8_t kIcomChannel = 0xDE;
inline constexpr int kInputNamesType = 10;
inline constexpr int kOutputNamesType = 20;

// Every station's name and number, in station order.
Bytes AlphaTable(int type, int width, const Switcher& switcher);
// Map type 0 (4-byte entries) for outputs first .. first + count - 1.
Bytes CrosspointMap(const Switcher& switcher, int first, int count);
// Input i belongs to output i.
Bytes IcomChannelTable(int stations);
// 0x81 0x64, checksum, 0xFF.
Bytes TypeRequest();

}  // namespace sim
