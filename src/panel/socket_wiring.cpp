#include "panel/socket_wiring.h"

#include "link/connection.h"
#include "link/framing.h"

namespace kv {

void SetUpSocket(PanelContext& ctx, std::function<void()> afterEvent) {
    platform::SocketEvents events;
    events.Connect = [&ctx, afterEvent] {
        OnSocketConnect(ctx);
        afterEvent();
    };
    events.Close = [&ctx, afterEvent] {
        OnSocketClose(ctx);
        afterEvent();
    };
    events.DataArrival = [&ctx, afterEvent](int32_t count) {
        OnDataArrival(ctx, count);
        afterEvent();
    };
    ctx.socket.SetEvents(std::move(events));
}

}  // namespace kv
