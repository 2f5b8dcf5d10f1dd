#include "link/connection.h"

#include <utility>
#include <vector>

#include "base/checked.h"
#include "diag/trap.h"
#include "link/protocol.h"

namespace kv {

void ConnectToServer(PanelContext& c) {
    Trap(c.v, "Error Connecting to Server", "Connection Error", [&] {
        if (c.v.ConnectPending != kFalse) {
            c.socket.Close();
            c.v.ConnectPending = kFalse;
        }
        c.socket.SetRemoteAddress(c.v.IPAddress);
        c.socket.SetRemotePort(c.v.IPPort);
        // Pending before the call: a close reported inside it ends the attempt at once.
        c.v.ConnectPending = kTrue;
        c.v.ConnectWaitedMs = 0;
        if (c.socket.Connect() != 0) {
            c.socket.Close();
            c.v.ConnectPending = kFalse;
        }
    });
}

void DisconnectFromServer(PanelContext& c) {
    Trap(c.v, "Error Disconnecting from Server", "Connection Error", [&] {
        c.v.ConnectPending = kFalse;
        c.socket.Close();
        c.v.SocketConnected = kFalse;
        c.v.Connected = kFalse;
        c.w.Caption = kCaptionNotConnected;
    });
}

void ShowConnection(PanelContext& c, bool state) {
    Trap(c.v, "Error Showing Connection", "Program Error", [&] {
        if (!state) {
            c.v.Connected = kFalse;
            c.w.Caption = kCaptionNotConnected;
            return;
        }
        SendInfoRequest(c, kRequestCrosspointMap | kRequestInputNames | kRequestOutputNames,
                        kRequestIcomChannels);
        c.v.Connected = kTrue;
        c.w.Caption = kCaptionConnected;
        if (!c.socket.IsConnected()) {
            return;  // the link fell again: the breaks wait for the next time
        }
        const std::vector<KeptBreak> kept = std::exchange(c.v.KeptBreaks, {});
        for (const KeptBreak& b : kept) {
            SendCrosspointChange(c, b.Input, b.Output, b.Command);
        }
    });
}

void OnSocketConnect(PanelContext& c) {
    Trap(c.v, "Error Connecting from Server", "Socket Error", [&] {
        c.v.ConnectPending = kFalse;
        c.v.SocketConnected = kTrue;
        c.v.UnansweredPolls = 0;
        // An unfinished message of an earlier connection would hold up this one's.
        c.v.ReceiveBuffer = {};
    });
}

void OnSocketClose(PanelContext& c) {
    Trap(c.v, "Error Disconnecting from Server", "Socket Error", [&] { DisconnectFromServer(c); });
}

void RetryConnection(PanelContext& c) {
    if (c.v.ConnectPending != kFalse) {
        c.v.ConnectWaitedMs = Add32(c.v.ConnectWaitedMs, c.v.TickInterval);
        if (c.v.ConnectWaitedMs < c.v.TimeOut * 1000) {
            return;
        }
    }
    ConnectToServer(c);
}

}  // namespace kv
