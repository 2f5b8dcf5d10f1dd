#pragma once

#include <cstdint>
#include <string_view>

// Reading the leading number of a configuration value.

namespace kv {

// The decimal reading of the text's leading number: blanks (spaces, tabs) are
// skipped wherever they stand, then an optional sign, digits, one decimal point
// and an optional exponent; reading stops at the first character that cannot
// continue the number. No number reads as 0; a number beyond a double's range
// reads as an infinity of its sign.
double ReadNumber(std::string_view text);

// ReadNumber rounded half to even; fault 6 when it does not fit the width.
int16_t ReadInt16(std::string_view text);
int32_t ReadInt32(std::string_view text);

}  // namespace kv
