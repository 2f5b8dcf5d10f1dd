#include <cstddef>
#include <cstdint>
#include <string_view>

#include "panel/control_holds.h"
#include "panel_fakes.h"
#include "remote/http_request.h"
#include "remote/http_response.h"
#include "remote/router.h"

// The input arrives as a client's bytes, in reads of a size taken from its length; each
// whole request goes through the router to a real panel, its body also as a WebSocket
// message. Whatever it holds, reading must stay bounded and every hold end with its client.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Panel* panel = [] {
        auto* p = new Panel;
        p->Link(true);
        p->Program(0, kv::kTalk, 7);
        return p;
    }();
    kv::remote::ContextPanel remote(
        panel->ctx, panel->rec, [size] { return size % 3 == 0; }, [] {});
    kv::remote::LeaseBook leases;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t chunk = 1 + size % 97;
    kv::remote::RequestReader reader;
    for (std::size_t at = 0; at < input.size(); at += chunk) {
        reader.Feed(input.substr(at, chunk));
        kv::remote::HttpRequest request;
        kv::remote::ReadResult result;
        while ((result = reader.Next(request)).State == kv::remote::ReadState::Complete) {
            if (request.Size > kv::remote::kMaxHeaderBytes + kv::remote::kMaxBodyBytes) {
                __builtin_trap();
            }
            const kv::remote::Reply reply = kv::remote::Route(request, remote, leases, {"t", ""});
            kv::remote::FormatResponse(reply, request.KeepAlive);
            kv::remote::SocketMessage(request.Body, remote, kv::remote::kFirstSocketHolder);
        }
        if (result.State == kv::remote::ReadState::Failed) {
            break;
        }
    }
    kv::remote::ExpireLeases(remote, leases, kv::remote::LeaseTime::max());
    remote.ReleaseHolder(kv::remote::kFirstSocketHolder);
    for (int control = 0; control < kv::kPanelControls; ++control) {
        if (kv::IsHeld(panel->w, control)) {
            __builtin_trap();  // a client's hold outlived the client
        }
    }
    return 0;
}
