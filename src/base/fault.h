#pragma once

#include <cstdint>
#include <string>

// A run-time fault in the manner of classic run-time errors: a number and its
// standard description. Every failing step throws one; the operation's trap
// catches it and logs it.

namespace kv {

struct Fault {
    int32_t Number = 0;
    std::string Description;
};

namespace faults {
inline constexpr int32_t kInvalidCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kOutOfMemory = 7;
inline constexpr int32_t kSubscript = 9;
inline constexpr int32_t kDivisionByZero = 11;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kBadFileName = 52;
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kDeviceIo = 57;
inline constexpr int32_t kPastEndOfFile = 62;
inline constexpr int32_t kPermissionDenied = 70;
inline constexpr int32_t kPathFileAccess = 75;
inline constexpr int32_t kPathNotFound = 76;
}  // namespace faults

// The standard description of a fault number ("Overflow" for 6).
std::string FaultDescription(int32_t number);

[[noreturn]] void Raise(int32_t number);
[[noreturn]] void Raise(int32_t number, std::string description);

}  // namespace kv
