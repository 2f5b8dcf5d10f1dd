#include "access/credential_dialog.h"

#include <utility>

#include "access/credential_check.h"

namespace kv {

void ActivateCredential(const IntercVariables& v, CredentialDialog& d) {
    d.Visible = true;
    d.UserNameText = v.UserName;
    d.NewUserNameText.clear();
    d.OldPasswordText.clear();
    d.NewPasswordText.clear();
    d.ConfirmPasswordText.clear();
    d.Focus = {FocusTarget::OldPassword, false};
}

void CredentialOk(IntercVariables& v, platform::MessageBox& box, CredentialDialog& d,
                  const ConfigurationWriter& write) {
    if (d.OldPasswordText != v.Password) {
        box.Show("Original Invalid Password!", "Login", platform::MessageIcon::None);
        d.Focus = {FocusTarget::OldPassword, true};
        return;
    }
    if (d.NewPasswordText != d.ConfirmPasswordText) {
        box.Show("New Password Entered Differently In Confirm Box", "Login",
                 platform::MessageIcon::None);
        d.Focus = {FocusTarget::NewPassword, true};
        return;
    }
    if (!CredentialsStorable(box, d.NewUserNameText, d.NewPasswordText, d.Focus,
                             FocusTarget::NewUserName, FocusTarget::NewPassword)) {
        return;
    }
    std::string oldPassword = std::exchange(v.Password, d.NewPasswordText);
    std::string oldUserName = std::exchange(v.UserName, d.NewUserNameText);
    if (!write(v)) {
        // Memory and file keep agreeing, and the existing password still opens the dialog.
        v.Password = std::move(oldPassword);
        v.UserName = std::move(oldUserName);
        box.Show("Error Writing Zebntpnl.ini File", "Error Writing File",
                 platform::MessageIcon::Critical);
        return;
    }
    d.Visible = false;
}

void CredentialCancel(CredentialDialog& d) {
    d.Visible = false;
}

}  // namespace kv
