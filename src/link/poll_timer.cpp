#include "link/poll_timer.h"

#include <array>

#include "base/checked.h"
#include "diag/trap.h"
#include "display/button_indications.h"
#include "link/connection.h"
#include "link/protocol.h"

namespace kv {

void PollTick(PanelContext& c) {
    IntercVariables& v = c.v;
    Trap(v, "Error Sending Poll Timer", "Timer Error", [&] {
        if (v.SocketConnected == kFalse) {
            RetryConnection(c);
            return;
        }
        v.TickCount = Add32(v.TickCount, 1);
        if (c.w.InputWindowText == "NoSystem" && v.PendingInfoMask == 0) {
            c.w.InputWindowText.clear();
            c.w.PresetWindowText.clear();
        }
        for (int16_t i = 0; i < v.ButtonCount; ++i) {
            const ButtonRecord& b = At(v.ButtonTable, i);
            if (b.Type == kTalk && b.CallFlash != kFalse) {
                DetermineButtonFlash(v, c.w, i);
            }
        }
        if (v.TickCount <= v.TicksPerPoll - 1) {
            return;
        }
        if (v.RefreshRate == 0) {
            Raise(faults::kDivisionByZero);
        }
        if (v.UnansweredPolls > static_cast<double>(v.TimeOut) / v.RefreshRate) {
            v.UnansweredPolls = 0;
            DisconnectFromServer(c);
            return;
        }
        if (v.PendingInfoMask == 0 && v.PendingInfoMask2 == 0) {
            const std::array<uint8_t, 1> poll{kPoll};
            SendToSwitcher(c, poll);
            v.PollSent = kTrue;
        } else {
            SendInfoRequest(c, v.PendingInfoMask, v.PendingInfoMask2);
        }
        v.UnansweredPolls = Add16(v.UnansweredPolls, 1);
        v.TickCount = 0;
    });
}

}  // namespace kv
