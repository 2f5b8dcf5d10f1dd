#pragma once

#include <functional>
#include <string>

#include "access/dialog_focus.h"
#include "state/interc_variables.h"
#include "state/message_box.h"

// frmIntercPassword: replaces the user name and password once the existing
// password has been given, and saves them at once.

namespace kv {

struct CredentialDialog {
    std::string UserNameText;         // txtUserName: the current user name
    std::string OldPasswordText;      // txtOldPassword
    std::string NewUserNameText;      // txtNewUserName
    std::string NewPasswordText;      // txtNewPassword
    std::string ConfirmPasswordText;  // txtConfirmPassword
    bool Visible = false;
    FocusRequest Focus;
};

// Saves the configuration file; true when the whole file was written.
using ConfigurationWriter = std::function<bool(IntercVariables&)>;

// Each showing: the current user name, every other box empty, the focus on the old password.
void ActivateCredential(const IntercVariables& v, CredentialDialog& d);

// Checks the old password, the confirmation, then that the file can hold the new credentials;
// on success stores and writes them before closing. A failed write restores the old ones and keeps
// the dialog open.
void CredentialOk(IntercVariables& v, platform::MessageBox& box, CredentialDialog& d,
                  const ConfigurationWriter& write);

void CredentialCancel(CredentialDialog& d);

}  // namespace kv
