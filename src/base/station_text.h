#pragma once

#include <string>

// Station numbers as the station names show them: four digits, leading zeros.

namespace kv {

inline std::string FourDigits(long n) {
    std::string digits = std::to_string(n < 0 ? -n : n);
    if (digits.size() < 4) {
        digits.insert(0, 4 - digits.size(), '0');
    }
    return n < 0 ? "-" + digits : digits;
}

}  // namespace kv
