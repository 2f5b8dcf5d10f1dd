#pragma once

#include <string>
#include <string_view>

// An HTTP/1.1 response with a JSON body, as the control API sends every one.

namespace kv::remote {

struct Reply {
    int Status = 200;
    std::string Body;
    std::string Allow;     // for 405: the methods the path takes
    bool Upgrade = false;  // a checked WebSocket handshake, for the socket server to answer
};

const char* StatusText(int status);
std::string FormatResponse(const Reply& reply, bool keepAlive);

}  // namespace kv::remote
