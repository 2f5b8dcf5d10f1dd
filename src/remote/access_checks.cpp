#include "remote/access_checks.h"

#include <algorithm>
#include <cctype>

namespace kv::remote {
namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::ranges::all_of(text, [](unsigned char c) { return std::isdigit(c) != 0; });
}

bool IsPort(std::string_view text) {
    return AllDigits(text) && text.size() <= 5;
}

bool IsLoopbackV4(std::string_view text) {
    int parts = 0;
    while (true) {
        const std::size_t dot = text.find('.');
        const std::string_view part = text.substr(0, dot);
        if (!AllDigits(part) || part.size() > 3 || std::stoi(std::string(part)) > 255) {
            return false;
        }
        if (++parts == 1 && part != "127") {
            return false;
        }
        if (dot == std::string_view::npos) {
            return parts == 4;
        }
        text.remove_prefix(dot + 1);
    }
}

// The host without its port; empty when the port part is malformed.
std::string_view HostName(std::string_view host) {
    if (!host.empty() && host.front() == '[') {
        const std::size_t close = host.find(']');
        if (close == std::string_view::npos) {
            return {};
        }
        const std::string_view rest = host.substr(close + 1);
        if (!rest.empty() && (rest.front() != ':' || !IsPort(rest.substr(1)))) {
            return {};
        }
        return host.substr(0, close + 1);
    }
    const std::size_t colon = host.find(':');
    if (colon == std::string_view::npos) {
        return host;
    }
    return IsPort(host.substr(colon + 1)) ? host.substr(0, colon) : std::string_view();
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

}  // namespace

bool IsLoopbackHost(std::string_view host) {
    const std::string_view name = HostName(host);
    return EqualsNoCase(name, "localhost") || name == "[::1]" || IsLoopbackV4(name);
}

bool SameSecret(std::string_view a, std::string_view b) {
    unsigned difference = a.size() == b.size() ? 0U : 1U;
    const std::size_t n = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(i < a.size() ? a[i] : 0);
        const auto y = static_cast<unsigned char>(i < b.size() ? b[i] : 0);
        difference |= static_cast<unsigned>(x ^ y);
    }
    return difference == 0;
}

int CheckAccess(const HttpRequest& request, std::string_view token, std::string_view ownHost) {
    const std::string* host = request.Header("host");
    const auto hosts =
        std::ranges::count_if(request.Headers, [](const auto& h) { return h.first == "host"; });
    const bool ownName =
        host != nullptr && !ownHost.empty() && EqualsNoCase(HostName(*host), ownHost);
    if (hosts != 1 || (!IsLoopbackHost(*host) && !ownName) || request.Header("origin") != nullptr) {
        return 403;
    }
    const std::string* authorization = request.Header("authorization");
    constexpr std::string_view kScheme = "bearer ";
    if (token.empty() || authorization == nullptr || authorization->size() < kScheme.size() ||
        !EqualsNoCase(std::string_view(*authorization).substr(0, kScheme.size()), kScheme)) {
        return 401;
    }
    std::string_view given = std::string_view(*authorization).substr(kScheme.size());
    while (!given.empty() && given.front() == ' ') {
        given.remove_prefix(1);
    }
    return SameSecret(given, token) ? 0 : 401;
}

}  // namespace kv::remote
