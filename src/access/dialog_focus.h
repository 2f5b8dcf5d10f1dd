#pragma once

// Where a dialog's logic wants the keyboard focus after an event; the view applies it once.

namespace kv {

enum class FocusTarget { None, UserName, Password, OldPassword, NewUserName, NewPassword };

struct FocusRequest {
    FocusTarget Target = FocusTarget::None;
    bool SelectAll = false;  // the box's whole text selected, ready to be typed over
};

}  // namespace kv
