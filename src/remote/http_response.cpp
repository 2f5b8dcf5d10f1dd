#include "remote/http_response.h"

namespace kv::remote {

const char* StatusText(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 400:
            return "Bad Request";
        case 401:
            return "Unauthorized";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 409:
            return "Conflict";
        case 413:
            return "Content Too Large";
        case 431:
            return "Request Header Fields Too Large";
        case 503:
            return "Service Unavailable";
        default:
            return "Error";
    }
}

std::string FormatResponse(const Reply& reply, bool keepAlive) {
    std::string out = "HTTP/1.1 " + std::to_string(reply.Status) + " " + StatusText(reply.Status) +
                      "\r\nContent-Type: application/json\r\nContent-Length: " +
                      std::to_string(reply.Body.size()) + "\r\nCache-Control: no-store\r\n";
    if (reply.Status == 401) {
        out += "WWW-Authenticate: Bearer\r\n";
    }
    if (!reply.Allow.empty()) {
        out += "Allow: " + reply.Allow + "\r\n";
    }
    out += keepAlive ? "Connection: keep-alive\r\n\r\n" : "Connection: close\r\n\r\n";
    return out + reply.Body;
}

}  // namespace kv::remote
