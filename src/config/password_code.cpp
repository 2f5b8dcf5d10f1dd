#include "config/password_code.h"

#include "base/fault.h"

namespace kv {
namespace {

std::string Shift(std::string_view text, int direction) {
    std::string out;
    out.reserve(text.size());
    long position = 1;
    for (const char c : text) {
        const long code = static_cast<unsigned char>(c) + direction * position;
        if (code < 0 || code > 255) {
            Raise(faults::kInvalidCall);
        }
        out += static_cast<char>(static_cast<unsigned char>(code));
        ++position;
    }
    return out;
}

}  // namespace

std::string EncodePassword(std::string_view plain) {
    return Shift(plain, 1);
}

std::string DecodePassword(std::string_view stored) {
    return Shift(stored, -1);
}

}  // namespace kv
