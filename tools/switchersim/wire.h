#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The byte encoding every message shares: 7-bit data bytes, 14-bit numbers as
// two groups lowest first, a 7-bit checksum and the end byte.

namespace sim {

using Bytes = std::vector<uint8_t>;

inline constexpr uint8_t kEnd = 0xFF;
inline constexpr int kMax14 = 16383;

inline bool IsCommandByte(uint8_t b) {
    return (b & 0x80) != 0;
}

// Appends value (0..16383) as two 7-bit groups, low group first.
void Put14(Bytes& out, int value);
int Word14(uint8_t low, uint8_t high);
// Sum modulo 128 of bytes [1, end) of a message.
uint8_t Checksum(const Bytes& message, std::size_t end);
// Appends the checksum of everything after the command byte, then the end byte.
void Seal(Bytes& message);
// True when a framed message ends in 0xFF and its checksum byte matches.
bool ChecksumOk(const Bytes& message);

}  // namespace sim
