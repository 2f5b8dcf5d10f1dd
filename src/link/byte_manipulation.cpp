#include "link/byte_manipulation.h"

#include <cstring>

#include "base/checked.h"
#include "diag/trap.h"
#include "link/receive_buffer.h"

namespace kv {

uint8_t Checksum(std::span<const uint8_t> message, int skip) {
    const long long last = static_cast<long long>(message.size()) - 1 - skip;
    unsigned sum = 0;
    for (long long i = 1; i <= last; ++i) {
        sum += message[static_cast<std::size_t>(i)];
    }
    return static_cast<uint8_t>(sum % 128);
}

bool ChecksumMatches(std::span<const uint8_t> message) {
    return message.size() >= 3 && message[message.size() - 2] == Checksum(message, 2);
}

std::vector<uint8_t> TrimBuffer(IntercVariables& v, int32_t count) {
    std::vector<uint8_t> taken;
    Trap(v, "Error Trimming Buffer", "Switcher Buffer Error", [&] {
        if (count < 1) {
            Raise(faults::kInvalidCall);
        }
        const std::span<const uint8_t> live = LiveBytes(v.ReceiveBuffer);
        const std::size_t n = std::min(live.size(), static_cast<std::size_t>(count));
        taken.assign(live.begin(), live.begin() + static_cast<std::ptrdiff_t>(n));
        DropFront(v.ReceiveBuffer, n);
    });
    return taken;
}

int32_t FindEOM(IntercVariables& v, std::span<const uint8_t> buffer) {
    int32_t position = 0;
    Trap(v, "Error finding EOM", "Buffer Error", [&] {
        const void* found =
            buffer.empty() ? nullptr : std::memchr(buffer.data(), kEndOfMessage, buffer.size());
        if (found != nullptr) {
            position = CInt32(
                static_cast<long long>(static_cast<const uint8_t*>(found) - buffer.data()) + 1);
        }
    });
    return position;
}

}  // namespace kv
