#pragma once

#include <cstddef>
#include <string_view>

// What a caption, a user name or a password can hold in the configuration file: its text is
// 8-bit ISO-8859-1, one byte per character, one entry per line.

namespace kv {

// The reader keeps this many characters of the user name and of the stored password.
inline constexpr std::size_t kCredentialLength = 50;

// Printable ISO-8859-1; control characters would break or hide the file's lines.
bool FileTextChar(char32_t c);

// At most kCredentialLength characters, every one a file text character.
bool UserNameStorable(std::string_view name);

// As a user name, and no character pushed past code 255 by the password's encoding.
bool PasswordStorable(std::string_view password);

}  // namespace kv
