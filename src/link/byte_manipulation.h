#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/checked.h"
#include "state/interc_variables.h"

// Byte helpers of the switcher protocol and the receive buffer.

namespace kv {

inline constexpr uint8_t kEndOfMessage = 0xFF;

// A 14-bit number from its two 7-bit groups, lowest first. Inline: the map decoder
// joins every value of a map with it.
inline int16_t MakeWord14(uint8_t low, uint8_t high) {
    return CInt16(high * 128LL + low);
}

// Sum modulo 128 of the bytes from position 1 up to the last position minus skip
// (skip 0 for a message being built, 2 for a received one).
uint8_t Checksum(std::span<const uint8_t> message, int skip);

// True when a received framed message carries the checksum of its contents.
bool ChecksumMatches(std::span<const uint8_t> message);

// Removes and returns the first count bytes of the receive buffer (all of it when
// count reaches its length).
std::vector<uint8_t> TrimBuffer(IntercVariables& v, int32_t count);

// 1-based position of the first end byte in buffer; 0 when there is none.
int32_t FindEOM(IntercVariables& v, std::span<const uint8_t> buffer);

}  // namespace kv
