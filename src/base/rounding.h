#pragma once

#include <cmath>

namespace kv {

// Nearest whole number, a half going to the even neighbour (2.5 gives 2, 3.5 gives 4).
inline double RoundHalfEven(double value) {
    return std::nearbyint(value);
}

}  // namespace kv
