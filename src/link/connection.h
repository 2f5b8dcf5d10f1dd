#pragma once

#include "state/panel_context.h"

// The TCP connection to the intercom server and the two connection flags.

namespace kv {

inline constexpr const char* kCaptionNotConnected = "ZEB Intercom Keyvane - Not Connected";
inline constexpr const char* kCaptionConnected = "ZEB Intercom Keyvane - Connected";

// Starts a connection to the configured server, abandoning any attempt under way.
void ConnectToServer(PanelContext& c);

// Closes the connection and shows the panel not connected.
void DisconnectFromServer(PanelContext& c);

// Sets Connected and the caption; on true asks for the tables and sends the kept breaks.
void ShowConnection(PanelContext& c, bool state);

// The socket's connect and close events.
void OnSocketConnect(PanelContext& c);
void OnSocketClose(PanelContext& c);

// A poll tick while the socket is closed: lets an attempt under way run for up to
// TimeOut seconds, otherwise starts a new one.
void RetryConnection(PanelContext& c);

}  // namespace kv
