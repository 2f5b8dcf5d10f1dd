#include "link/receive_buffer.h"

#include <algorithm>
#include <string>

#include "diag/error_log.h"

namespace kv {

std::span<const uint8_t> LiveBytes(const ReceiveBufferBytes& buffer) {
    return std::span<const uint8_t>(buffer.Data).subspan(buffer.Start);
}

void DropFront(ReceiveBufferBytes& buffer, std::size_t n) {
    const std::size_t live = buffer.Data.size() - buffer.Start;
    if (n >= live) {
        buffer.Data.clear();
        buffer.Start = 0;
        buffer.Overflowing = false;
        return;
    }
    buffer.Start += n;
    if (buffer.Start > buffer.Data.size() - buffer.Start) {
        buffer.Data.erase(buffer.Data.begin(),
                          buffer.Data.begin() + static_cast<std::ptrdiff_t>(buffer.Start));
        buffer.Start = 0;
    }
}

void AppendReceived(IntercVariables& v, std::span<const uint8_t> bytes) {
    ReceiveBufferBytes& buffer = v.ReceiveBuffer;
    const std::size_t live = buffer.Data.size() - buffer.Start;
    if (live + bytes.size() > kReceiveBufferCap) {
        if (!buffer.Overflowing) {
            LogError(v, "Error Receiving IP Message", "Socket Error",
                     Fault{faults::kOutOfMemory, "Receive buffer full: oldest bytes discarded"});
        }
        const std::size_t excess = live + bytes.size() - kReceiveBufferCap;
        DropFront(buffer, std::min(excess, live));
        if (excess > live) {
            bytes = bytes.subspan(excess - live);
        }
        buffer.Overflowing = true;
    }
    buffer.Data.insert(buffer.Data.end(), bytes.begin(), bytes.end());
}

}  // namespace kv
