#pragma once

#include <cstdint>
#include <optional>

#include "wire.h"

// Messages a panel sends, checked and decoded. A decoder returns nothing for a
// message that fails its checksum, length or fixed bytes.

namespace sim {

inline constexpr uint8_t kPoll = 0xF5;
inline constexpr uint8_t kPollAnswer = 0xF4;
inline constexpr uint8_t kNotConnected = 0xF1;
inline constexpr uint8_t kNoEffect = 0xF3;
inline constexpr uint8_t kInfoRequest = 0xF2;
inline constexpr uint8_t kCrosspointChange = 0xFE;
inline constexpr uint8_t kType = 0x81;

inline constexpr uint32_t kWantCrosspointMap = 0x80;
inline constexpr uint32_t kWantInputNames = 0x100;
inline constexpr uint32_t kWantOutputNames = 0x200;
inline constexpr uint32_t kWantIcomChannel = 0x2000;  // second word

struct InfoRequest {
    uint32_t first = 0;
    uint32_t second = 0;
};

struct CrosspointChange {
    int code = 0;  // with the request flag 0x400 removed
    int input = 0;
    int output = 0;
};

std::optional<InfoRequest> DecodeInfoRequest(const Bytes& message);
// Also rejects a code field without the request flag.
std::optional<CrosspointChange> DecodeCrosspointChange(const Bytes& message);
// The reply 0x81 0x07 0x01 0x08 0xFF to a type request.
bool IsTypeReply(const Bytes& message);

}  // namespace sim
