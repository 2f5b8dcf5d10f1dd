#pragma once

#include <string>

#include "access/dialog_focus.h"
#include "state/message_box.h"

// Credentials the configuration file cannot hold are refused before anything is stored:
// the reader would cut them or the writer fail, and the operator be locked out of setup.

namespace kv {

inline constexpr const char* kUserNameRefused =
    "The user name cannot be stored: use at most 50 letters, digits, blanks and signs of "
    "Western European (Latin-1) text.";
inline constexpr const char* kPasswordRefused =
    "The password cannot be stored: use at most 50 letters, digits, blanks and signs of "
    "Western European (Latin-1) text. Accented letters near the end of that alphabet can only "
    "stand near the start of the password.";

// True when both can be stored; otherwise a message, and the focus on the box at fault.
bool CredentialsStorable(platform::MessageBox& box, const std::string& userName,
                         const std::string& password, FocusRequest& focus, FocusTarget userBox,
                         FocusTarget passwordBox);

}  // namespace kv
