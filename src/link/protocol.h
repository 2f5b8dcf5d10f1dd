#pragma once

#include <cstdint>
#include <span>

#include "state/panel_context.h"

// Messages the panel sends to the switcher.

namespace kv {

inline constexpr uint8_t kPoll = 0xF5;
inline constexpr uint8_t kPollAnswer = 0xF4;
inline constexpr uint8_t kNotConnected = 0xF1;
inline constexpr uint8_t kNoEffect = 0xF3;
inline constexpr uint8_t kTypeRequest = 0x81;
inline constexpr uint8_t kInfoRequest = 0xF2;
inline constexpr uint8_t kCrosspointChange = 0xFE;

// Request bits of the information request.
inline constexpr int32_t kRequestCrosspointMap = 0x80;
inline constexpr int32_t kRequestInputNames = 0x100;
inline constexpr int32_t kRequestOutputNames = 0x200;
inline constexpr int32_t kRequestIcomChannels = 0x2000;  // second word

// Codes of a crosspoint change: make and break at level 0 (Listen), and at level 1.
inline constexpr int16_t kListenMake = 36;
inline constexpr int16_t kListenBreak = 32;
inline constexpr int16_t kMake = 37;
inline constexpr int16_t kBreak = 33;

// A write the socket keeps refusing is given up after this many attempts.
inline constexpr int kMaxWriteAttempts = 300;

// Writes one complete message; a message the socket cannot take is dropped.
void SendToSwitcher(PanelContext& c, std::span<const uint8_t> message);

// Sends the information request and records both words as pending.
void SendInfoRequest(PanelContext& c, int32_t first, int32_t second);

// Asks the switcher to make or break a crosspoint with one of the codes above.
void SendCrosspointChange(PanelContext& c, int16_t input, int16_t output, int16_t code);

}  // namespace kv
