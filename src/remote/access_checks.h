#pragma once

#include <string>
#include <string_view>

#include "remote/http_request.h"

// Who may drive the panel: a local program that knows the token. A web page cannot: a
// browser names the page's origin, and a page reached through a rebound name carries that
// name as its Host.

namespace kv::remote {

// localhost, 127.x.y.z or [::1], each with an optional port.
bool IsLoopbackHost(std::string_view host);

// Equal in time independent of where they differ.
bool SameSecret(std::string_view a, std::string_view b);

// 0 when the request may go on, else 403 (foreign Host, any Origin) or 401 (token).
// ownHost, when not empty, is the address the operator named to listen on, also accepted.
int CheckAccess(const HttpRequest& request, std::string_view token, std::string_view ownHost);

}  // namespace kv::remote
