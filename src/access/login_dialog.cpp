#include "access/login_dialog.h"

#include "access/credential_check.h"

namespace kv {
namespace {

bool FirstEntry(const LoginDialog& d) {
    return d.Tag == kFirstEntryTag;
}

}  // namespace

void ActivateLogin(const IntercVariables& v, LoginDialog& d) {
    d.Visible = true;
    d.PasswordText.clear();
    d.UserNameText = v.UserName;
    d.CancelEnabled = !FirstEntry(d);
    d.Focus = {FirstEntry(d) ? FocusTarget::UserName : FocusTarget::Password, false};
}

void LoginOk(IntercVariables& v, platform::MessageBox& box, LoginDialog& d) {
    if (FirstEntry(d)) {
        if (!CredentialsStorable(box, d.UserNameText, d.PasswordText, d.Focus,
                                 FocusTarget::UserName, FocusTarget::Password)) {
            return;
        }
        v.Password = d.PasswordText;
        v.UserName = d.UserNameText;
        d.Visible = false;
        return;
    }
    if (d.PasswordText == v.Password) {
        v.LoggedIn = kTrue;
        d.Visible = false;
        return;
    }
    box.Show("Invalid Password, try again!", "Login", platform::MessageIcon::None);
    d.Focus = {FocusTarget::Password, true};
}

void LoginCancel(IntercVariables& v, LoginDialog& d) {
    if (!d.CancelEnabled) {
        return;
    }
    v.LoggedIn = kFalse;
    d.Visible = false;
}

void LoginFrameClose(IntercVariables& v, platform::MessageBox& box, LoginDialog& d) {
    if (FirstEntry(d)) {
        LoginOk(v, box, d);
    } else {
        v.LoggedIn = kFalse;
        d.Visible = false;
    }
}

}  // namespace kv
