#pragma once

class QWidget;

namespace kv::remote {

class RemoteControl;

// File, Remote Control...: turns the control API on or off, where it listens, how long an
// HTTP hold lasts, and the token clients send.
void OpenRemoteDialog(RemoteControl& control, QWidget* parent);

}  // namespace kv::remote
