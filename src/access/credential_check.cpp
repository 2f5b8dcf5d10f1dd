#include "access/credential_check.h"

#include "base/file_text.h"

namespace kv {

bool CredentialsStorable(platform::MessageBox& box, const std::string& userName,
                         const std::string& password, FocusRequest& focus, FocusTarget userBox,
                         FocusTarget passwordBox) {
    if (!UserNameStorable(userName)) {
        box.Show(kUserNameRefused, "Login", platform::MessageIcon::None);
        focus = {userBox, true};
        return false;
    }
    if (!PasswordStorable(password)) {
        box.Show(kPasswordRefused, "Login", platform::MessageIcon::None);
        focus = {passwordBox, true};
        return false;
    }
    return true;
}

}  // namespace kv
