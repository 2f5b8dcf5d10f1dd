#pragma once

#include <string>

#include "access/dialog_focus.h"
#include "state/interc_variables.h"
#include "state/message_box.h"

// frmIntercLogin: asks for the password before setup; with the tag "new" it takes
// the first user name and password instead.

namespace kv {

inline constexpr const char* kFirstEntryTag = "new";

struct LoginDialog {
    std::string Tag;           // set by the caller before each showing
    std::string UserNameText;  // txtUserName
    std::string PasswordText;  // txtPassword
    bool CancelEnabled = true;
    bool Visible = false;
    FocusRequest Focus;
};

// Each showing: the boxes refilled, Cancel and the focus by mode.
void ActivateLogin(const IntercVariables& v, LoginDialog& d);

// First entry stores both boxes as they are, once the file can hold them; a login compares
// the password exactly.
void LoginOk(IntercVariables& v, platform::MessageBox& box, LoginDialog& d);

// Escape or the Cancel button; nothing happens while Cancel is disabled.
void LoginCancel(IntercVariables& v, LoginDialog& d);

// The window frame's close box: Cancel in login mode. The first entry cannot be
// skipped this way, so there it is taken as Ok with what the boxes hold.
void LoginFrameClose(IntercVariables& v, platform::MessageBox& box, LoginDialog& d);

}  // namespace kv
