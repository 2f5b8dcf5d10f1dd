#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

#include "base/fault.h"
#include "base/rounding.h"

// Checked subscripts (fault 9) and checked 16-bit arithmetic (fault 6): every
// index and every 16-bit result that input can take out of range goes through
// these, so a bad message or file becomes a logged fault, never undefined behaviour.

namespace kv {

template <class Container>
auto& At(Container& c, long long index) {
    if (index < 0 || static_cast<unsigned long long>(index) >= c.size()) {
        Raise(faults::kSubscript);
    }
    return c[static_cast<std::size_t>(index)];
}

template <class To>
To Narrow(long long value) {
    if (value < std::numeric_limits<To>::min() || value > std::numeric_limits<To>::max()) {
        Raise(faults::kOverflow);
    }
    return static_cast<To>(value);
}

// A real number rounded half to even and converted to To; fault 6 when it does not fit.
template <class To>
To NarrowRounded(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<To>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<To>::max()))) {
        Raise(faults::kOverflow);
    }
    return static_cast<To>(rounded);
}

inline int16_t CInt16(long long value) {
    return Narrow<int16_t>(value);
}
inline int32_t CInt32(long long value) {
    return Narrow<int32_t>(value);
}
inline int16_t CInt16(double value) {
    return NarrowRounded<int16_t>(value);
}
inline int32_t CInt32(double value) {
    return NarrowRounded<int32_t>(value);
}

inline int16_t Add16(int16_t a, int16_t b) {
    return CInt16(static_cast<long long>(a) + b);
}
inline int16_t Sub16(int16_t a, int16_t b) {
    return CInt16(static_cast<long long>(a) - b);
}
inline int16_t Mul16(int16_t a, int16_t b) {
    return CInt16(static_cast<long long>(a) * b);
}

inline int32_t Add32(int32_t a, int32_t b) {
    return CInt32(static_cast<long long>(a) + b);
}

}  // namespace kv
