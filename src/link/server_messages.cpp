#include "link/server_messages.h"

#include <array>
#include <vector>

#include "base/checked.h"
#include "diag/trap.h"
#include "display/station_display.h"
#include "link/byte_manipulation.h"
#include "link/connection.h"
#include "link/protocol.h"

namespace kv {

void AnswerPoll(PanelContext& c) {
    const std::array<uint8_t, 1> answer{kPollAnswer};
    SendToSwitcher(c, answer);
}

void ReceivePollAnswer(PanelContext& c) {
    c.v.UnansweredPolls = 0;
    if (c.v.Connected == kFalse) {
        ShowConnection(c, true);
    }
}

void ReceiveNotConnected(PanelContext& c) {
    c.v.UnansweredPolls = 0;
    if (c.v.Connected != kFalse) {
        ShowConnection(c, false);
    }
}

void ProcessTypeRequest(PanelContext& c, std::span<const uint8_t> msg) {
    Trap(c.v, "Error Processing Type Request", "Message Error", [&] {
        if ((msg.size() != 4 && msg.size() != 5) || !ChecksumMatches(msg) || msg[1] != 0x64) {
            return;
        }
        const std::array<uint8_t, 5> reply{kTypeRequest, 0x07, 0x01, 0x08, kEndOfMessage};
        SendToSwitcher(c, reply);
        c.w.PollEnabled = true;
    });
}

void ReceiveIcomChannel(PanelContext& c, std::span<const uint8_t> msg) {
    Trap(c.v, "Error Receiving Icom Channel", "Message Error", [&] {
        if (!ChecksumMatches(msg)) {
            return;
        }
        const int16_t count = MakeWord14(At(msg, 2), At(msg, 3));
        // The whole table must be there before the old one is replaced.
        if (count == 0 || msg.size() < 6 + 2 * static_cast<std::size_t>(count)) {
            Raise(faults::kSubscript);
        }
        std::vector<int16_t> channels(static_cast<std::size_t>(count));
        for (std::size_t i = 0; i < channels.size(); ++i) {
            channels[i] = MakeWord14(msg[4 + 2 * i], msg[5 + 2 * i]);
        }
        c.v.IcomChannel = std::move(channels);
        UpdateDisplay(c.v, c.w);
        c.v.PendingInfoMask2 &= ~kRequestIcomChannels;
    });
}

void ProcessSwitcherType(PanelContext& c, std::span<const uint8_t> msg) {
    Trap(c.v, "Error Processing Switcher Type", "Message Error", [&] {
        if (msg.size() != 10 || !ChecksumMatches(msg) || msg[1] != 1) {
            return;
        }
        c.v.SwitcherType = MakeWord14(msg[4], msg[5]);
    });
}

}  // namespace kv
