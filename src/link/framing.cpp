#include "link/framing.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <span>
#include <vector>

#include "base/checked.h"
#include "diag/trap.h"
#include "link/alpha_table.h"
#include "link/byte_manipulation.h"
#include "link/crosspoint_map.h"
#include "link/protocol.h"
#include "link/receive_buffer.h"
#include "link/server_messages.h"

namespace kv {
namespace {

using SingleHandler = void (*)(PanelContext&);
using FramedHandler = void (*)(PanelContext&, std::span<const uint8_t>);

struct Command {
    uint8_t Code;
    SingleHandler Single;  // a single-byte command when set
    FramedHandler Framed;  // a framed message when set; neither: consumed, no action
};

void Ignore(PanelContext&) {}

// Every command byte with a meaning; any other code starts a framed message that is consumed.
constexpr std::array<Command, 11> kCommands{{
    {kPoll, AnswerPoll, nullptr},
    {kPollAnswer, ReceivePollAnswer, nullptr},
    {kNotConnected, ReceiveNotConnected, nullptr},
    {kNoEffect, Ignore, nullptr},
    {kTypeRequest, nullptr, ProcessTypeRequest},
    {kCrosspointMap, nullptr, ProcessCrosspointMap},
    {kAlphaTable, nullptr, ProcessAlphaTable},
    {kIcomChannel, nullptr, ReceiveIcomChannel},
    {kSwitcherType, nullptr, ProcessSwitcherType},
    {kCrosspointChange, nullptr, nullptr},  // the panel's own messages echoed back
    {kInfoRequest, nullptr, nullptr},
}};

constexpr bool CodesAreUnique() {
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        if (kCommands[i].Code < 0x80) {
            return false;
        }
        for (std::size_t j = i + 1; j < kCommands.size(); ++j) {
            if (kCommands[i].Code == kCommands[j].Code) {
                return false;
            }
        }
    }
    return true;
}
static_assert(CodesAreUnique(), "each command byte has one entry, and has its high bit set");

constexpr std::array<Command, 256> MakeLookup() {
    std::array<Command, 256> lookup{};
    for (std::size_t code = 0; code < lookup.size(); ++code) {
        lookup[code] = Command{static_cast<uint8_t>(code), nullptr, nullptr};
    }
    for (const Command& command : kCommands) {
        lookup[command.Code] = command;
    }
    return lookup;
}
constexpr std::array<Command, 256> kLookup = MakeLookup();

bool IsCommandByte(uint8_t b) {
    return (b & 0x80) != 0;
}

// Read size when the socket reports no count.
constexpr int32_t kDefaultReadSize = 4096;

// Handles the message at the front of the receive buffer, discarding stray bytes
// and cut-short messages before it; false when no complete message is there.
bool DecodeOne(PanelContext& c) {
    IntercVariables& v = c.v;
    for (;;) {
        const std::span<const uint8_t> live = LiveBytes(v.ReceiveBuffer);
        if (live.empty()) {
            return false;
        }
        const auto first = std::find_if(live.begin(), live.end(), IsCommandByte);
        if (first == live.end()) {
            TrimBuffer(v, CInt32(static_cast<long long>(live.size())));
            return false;
        }
        if (first != live.begin()) {
            TrimBuffer(v, CInt32(static_cast<long long>(first - live.begin())));
            continue;
        }
        const Command& command = kLookup[live[0]];
        if (command.Single != nullptr) {
            TrimBuffer(v, 1);
            command.Single(c);
            return true;
        }
        const int32_t n = FindEOM(v, live);
        if (n == 0) {
            return false;
        }
        const auto body = live.subspan(1, static_cast<std::size_t>(std::max(n - 2, 0)));
        const auto cut = std::find_if(body.begin(), body.end(), IsCommandByte);
        if (cut != body.end()) {
            TrimBuffer(v, CInt32(static_cast<long long>(cut - body.begin()) + 1));
            continue;
        }
        const std::vector<uint8_t> message = TrimBuffer(v, n);
        if (command.Framed != nullptr) {
            command.Framed(c, message);
        }
        return true;
    }
}

std::chrono::steady_clock::time_point Now(const IntercVariables& v) {
    return v.Decode.Now ? v.Decode.Now() : std::chrono::steady_clock::now();
}

}  // namespace

void ProcessCommand(PanelContext& c) {
    IntercVariables& v = c.v;
    v.ReceiveBuffer.Backlog = false;
    Trap(v, "Error Processing Command", "Decode Error", [&] {
        const auto start = Now(v);
        while (DecodeOne(c)) {
            if (Now(v) - start >= v.Decode.Budget) {
                v.ReceiveBuffer.Backlog = !LiveBytes(v.ReceiveBuffer).empty();
                return;
            }
        }
    });
}

void OnDataArrival(PanelContext& c, int32_t waiting) {
    Trap(c.v, "Error Receiving IP Message", "Socket Error", [&] {
        const int32_t size = waiting > 0 ? waiting : kDefaultReadSize;
        std::vector<uint8_t> chunk(static_cast<std::size_t>(size));
        for (;;) {
            const int32_t got = c.socket.Read(chunk.data(), size);
            if (got < 1) {
                break;
            }
            AppendReceived(c.v,
                           std::span(chunk).first(static_cast<std::size_t>(std::min(got, size))));
        }
        if (c.socket.LastError() == platform::kWouldBlock) {
            ProcessCommand(c);
        }
    });
}

void DecodeTick(PanelContext& c) {
    if (!LiveBytes(c.v.ReceiveBuffer).empty()) {
        ProcessCommand(c);
    }
}

}  // namespace kv
