#pragma once

#include <cstdint>
#include <span>

#include "state/panel_context.h"

// The short messages the server sends: polls, the type request, the intercom
// channel table and the switcher type. Framed handlers take the whole message.

namespace kv {

inline constexpr uint8_t kIcomChannel = 0xDE;
inline constexpr uint8_t kSwitcherType = 0xE5;

void AnswerPoll(PanelContext& c);           // 0xF5
void ReceivePollAnswer(PanelContext& c);    // 0xF4
void ReceiveNotConnected(PanelContext& c);  // 0xF1

void ProcessTypeRequest(PanelContext& c, std::span<const uint8_t> msg);
void ReceiveIcomChannel(PanelContext& c, std::span<const uint8_t> msg);
void ProcessSwitcherType(PanelContext& c, std::span<const uint8_t> msg);

}  // namespace kv
