#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "panel/control_holds.h"
#include "remote/http_request.h"
#include "remote/http_response.h"
#include "remote/lease_book.h"
#include "remote/remote_panel.h"

// The control API's routes: a checked request in, the reply out.
//   GET  /v1/panel                          the panel
//   POST /v1/keys/{0-7}/press|release       a key, held until released or its lease ends
//   POST /v1/answer/press|release           Call Answer
//   POST /v1/dial/press|release             Dial Up
//   PUT  /v1/dial   {"station": n} | {"name": s}   the station Dial Up reaches
//   GET  /v1/events                         the WebSocket of panel changes

namespace kv::remote {

// Plain HTTP clients are one holder: a press and its release may come on two connections.
inline constexpr uint32_t kHttpHolder = kFirstRemoteHolder;
// Each WebSocket holds as a client of its own, numbered from here up.
inline constexpr uint32_t kFirstSocketHolder = kHttpHolder + 1;

struct RouteSetup {
    std::string_view Token;
    std::string_view OwnHost;  // an address the operator named to listen on, or empty
    std::chrono::seconds Lease{20};
    LeaseTime Now{};
};

Reply Route(const HttpRequest& request, RemotePanel& panel, LeaseBook& leases,
            const RouteSetup& setup);

// "answer", "dial" or a key index (0-7) as a control of control_holds.h.
std::optional<int> ControlOf(std::string_view target);

// A message of a WebSocket client: {"press": TARGET} or {"release": TARGET}. The error
// to send back, or empty when it was done.
std::string SocketMessage(std::string_view text, RemotePanel& panel, uint32_t holder);

// Lets go of the HTTP holds whose lease has run out, as their release would.
void ExpireLeases(RemotePanel& panel, LeaseBook& leases, LeaseTime now);

}  // namespace kv::remote
