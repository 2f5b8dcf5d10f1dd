#include "link/protocol.h"

#include <array>

#include "diag/trap.h"
#include "link/byte_manipulation.h"
#include "link/connection.h"

namespace kv {
namespace {

// The two 7-bit groups of a 14-bit number; a number the wire cannot carry is an overflow.
void PutWord14(uint8_t* out, int16_t value) {
    if (value < 0 || value > 16383) {
        Raise(faults::kOverflow);
    }
    out[0] = static_cast<uint8_t>(value & 0x7F);
    out[1] = static_cast<uint8_t>(value >> 7);
}

}  // namespace

void SendToSwitcher(PanelContext& c, std::span<const uint8_t> message) {
    Trap(c.v, "Error sending to switcher", "Message Error", [&] {
        const auto length = static_cast<int32_t>(message.size());
        int32_t taken = 0;
        for (int attempt = 0; attempt < kMaxWriteAttempts; ++attempt) {
            if (!c.socket.IsConnected()) {
                DisconnectFromServer(c);
                return;
            }
            // Only the part not yet taken is written again, so no byte reaches the wire twice.
            const int32_t count = c.socket.Write(message.data() + taken, length - taken);
            if (count < 1) {
                if (c.socket.LastError() != platform::kWouldBlock) {
                    return;
                }
                continue;
            }
            taken += count;
            if (taken >= length) {
                return;
            }
        }
        Raise(faults::kDeviceIo, "Message dropped: the socket took " + std::to_string(taken) +
                                     " of " + std::to_string(length) + " bytes in " +
                                     std::to_string(kMaxWriteAttempts) + " attempts");
    });
}

void SendInfoRequest(PanelContext& c, int32_t first, int32_t second) {
    Trap(c.v, "Error Sending Info Request", "Message Error", [&] {
        const auto bits = static_cast<uint32_t>(first);
        const auto bits2 = static_cast<uint32_t>(second);
        std::array<uint8_t, 13> m{kInfoRequest,
                                  static_cast<uint8_t>(bits & 0x7F),
                                  static_cast<uint8_t>((bits >> 7) & 0x7F),
                                  static_cast<uint8_t>((bits >> 14) & 0x7F),
                                  static_cast<uint8_t>((bits >> 21) & 0x7F),
                                  static_cast<uint8_t>(bits2 & 0x7F),
                                  static_cast<uint8_t>((bits2 >> 7) & 0x7F),
                                  0,
                                  0,
                                  0,
                                  0,
                                  0,
                                  kEndOfMessage};
        m[11] = Checksum(std::span(m).first(11), 0);
        SendToSwitcher(c, m);
        c.v.PendingInfoMask = first;
        c.v.PendingInfoMask2 = second;
    });
}

void SendCrosspointChange(PanelContext& c, int16_t input, int16_t output, int16_t code) {
    Trap(c.v, "Error Sending Crosspoint Change", "Message Error", [&] {
        std::array<uint8_t, 9> m{kCrosspointChange};
        PutWord14(&m[1], static_cast<int16_t>(code | 0x400));
        PutWord14(&m[3], input);
        PutWord14(&m[5], output);
        m[7] = Checksum(std::span(m).first(7), 0);
        m[8] = kEndOfMessage;
        SendToSwitcher(c, m);
    });
}

}  // namespace kv
