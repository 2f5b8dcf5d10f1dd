#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "wire.h"

// One operator command, from standard input or from a scenario file.

namespace sim {

struct Command {
    enum class Kind {
        None,  // blank line or comment
        Call,
        Hangup,
        Clear,
        NotConnected,
        Silent,
        Drop,
        Garbage,
        Flood,
        Burst,
        Map,
        Stats,
        Quit,
        Wait,
    };
    Kind kind = Kind::None;
    int station = 0;      // call, hangup
    int output = 0;       // call, hangup, clear
    bool on = false;      // silent
    long long count = 0;  // flood: data bytes; burst: maps; wait: milliseconds
    Bytes bytes;          // garbage
};

// Largest flood and burst, and longest wait a line may ask for.
inline constexpr long long kMaxFlood = 64LL * 1024 * 1024;
inline constexpr long long kMaxBurst = 1000000;
inline constexpr long long kMaxWaitMs = 24LL * 3600 * 1000;

// The command, or the text of what is wrong with the line.
std::variant<Command, std::string> ParseCommand(std::string_view line);

}  // namespace sim
