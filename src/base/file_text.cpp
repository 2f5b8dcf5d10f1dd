#include "base/file_text.h"

namespace kv {

bool FileTextChar(char32_t c) {
    return (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF);
}

bool UserNameStorable(std::string_view name) {
    if (name.size() > kCredentialLength) {
        return false;
    }
    for (const char c : name) {
        if (!FileTextChar(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

bool PasswordStorable(std::string_view password) {
    if (!UserNameStorable(password)) {
        return false;
    }
    // The character at position k (from 1) is stored k codes higher.
    for (std::size_t k = 1; k <= password.size(); ++k) {
        if (static_cast<unsigned char>(password[k - 1]) + k > 255) {
            return false;
        }
    }
    return true;
}

}  // namespace kv
