#pragma once

#include <string>
#include <string_view>

// The password as the configuration file holds it: the byte at position k
// (from 1) shifted up by k. Not a cipher, only keeps it from a glance.

namespace kv {

// Fault 5 when a shifted byte would pass 255.
std::string EncodePassword(std::string_view plain);

// Fault 5 when a byte would fall below 0.
std::string DecodePassword(std::string_view stored);

}  // namespace kv
