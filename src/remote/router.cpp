#include "remote/router.h"

#include <nlohmann/json.hpp>

#include "panel/control_holds.h"
#include "remote/access_checks.h"
#include "remote/panel_json.h"

namespace kv::remote {
namespace {

using nlohmann::json;

Reply Error(int status, std::string_view text, std::string allow = {}) {
    return {status, ErrorJson(text), std::move(allow), false};
}

Reply PanelReply(const RemotePanel& panel) {
    return {200, PanelJson(panel.Snapshot()), {}, false};
}

constexpr std::string_view kBusy = "a dialog of the panel is open; the panel takes no presses";

Reply PressOrRelease(RemotePanel& panel, LeaseBook& leases, const RouteSetup& setup, int control,
                     std::string_view action) {
    if (action == "press") {
        if (!panel.TakingPresses()) {
            return Error(409, kBusy);
        }
        panel.Press(control, kHttpHolder);
        leases.Renew(control, setup.Now + setup.Lease);
    } else {
        leases.End(control);
        panel.Release(control, kHttpHolder);
    }
    return PanelReply(panel);
}

Reply ChooseDial(const HttpRequest& request, RemotePanel& panel) {
    const json body = json::parse(request.Body, nullptr, false);
    DialWish wish;
    if (body.is_object() && body.size() == 1 && body.contains("station") &&
        body["station"].is_number_integer()) {
        wish.Station = body["station"].get<int64_t>() > 0x7FFF
                           ? -1
                           : static_cast<int>(body["station"].get<int64_t>());
    } else if (body.is_object() && body.size() == 1 && body.contains("name") &&
               body["name"].is_string()) {
        wish.Name = Utf8ToLatin1(body["name"].get<std::string>());
        if (!wish.Name) {
            return Error(404, "no such station");  // a name the panel cannot hold
        }
    } else {
        return Error(400, "send {\"station\": number} or {\"name\": text}");
    }
    if (!panel.TakingPresses()) {
        return Error(409, kBusy);
    }
    if (!panel.ChooseDial(wish)) {
        return Error(404, "no such station");
    }
    return PanelReply(panel);
}

// "/v1/keys/3/press" and the like: the control and the action, or a reply for a bad index.
Reply ControlRoute(const HttpRequest& request, RemotePanel& panel, LeaseBook& leases,
                   const RouteSetup& setup, std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view action = path.substr(slash + 1);
    std::string_view target = path.substr(0, slash);
    if (action != "press" && action != "release") {
        return Error(404, "no such route");
    }
    std::optional<int> control;
    if (target == "answer" || target == "dial") {
        control = ControlOf(target);
    } else if (target.starts_with("keys/")) {
        target.remove_prefix(5);
        control = target.size() == 1 ? ControlOf(target) : std::nullopt;
        if (!control) {
            return Error(400, "a key index is 0 to 7");
        }
    } else {
        return Error(404, "no such route");
    }
    if (request.Method != "POST") {
        return Error(405, "use POST", "POST");
    }
    return PressOrRelease(panel, leases, setup, *control, action);
}

}  // namespace

std::optional<int> ControlOf(std::string_view target) {
    if (target == "answer") {
        return kAnswerControl;
    }
    if (target == "dial") {
        return kDialControl;
    }
    if (target.size() == 1 && target[0] >= '0' && target[0] < '0' + kPanelButtons) {
        return target[0] - '0';
    }
    return std::nullopt;
}

Reply Route(const HttpRequest& request, RemotePanel& panel, LeaseBook& leases,
            const RouteSetup& setup) {
    const int denied = CheckAccess(request, setup.Token, setup.OwnHost);
    if (denied == 403) {
        return Error(403, "only local programs may use this port; no Origin, a loopback Host");
    }
    if (denied != 0) {
        return Error(401, "missing or wrong token");
    }
    constexpr std::string_view kRoot = "/v1/";
    std::string_view path = request.Target;
    if (!path.starts_with(kRoot)) {
        return Error(404, "no such route");
    }
    path.remove_prefix(kRoot.size());
    if (path == "panel") {
        return request.Method == "GET" ? PanelReply(panel) : Error(405, "use GET", "GET");
    }
    if (path == "dial") {
        return request.Method == "PUT" ? ChooseDial(request, panel) : Error(405, "use PUT", "PUT");
    }
    if (path == "events") {
        if (request.Method != "GET") {
            return Error(405, "use GET", "GET");
        }
        const std::string* upgrade = request.Header("upgrade");
        if (upgrade == nullptr || !HasToken(*upgrade, "websocket")) {
            return Error(400, "/v1/events is a WebSocket");
        }
        return {101, {}, {}, true};
    }
    if (path.find('/') == std::string_view::npos) {
        return Error(404, "no such route");
    }
    return ControlRoute(request, panel, leases, setup, path);
}

std::string SocketMessage(std::string_view text, RemotePanel& panel, uint32_t holder) {
    const json message = json::parse(text, nullptr, false);
    if (!message.is_object() || message.size() != 1 ||
        (!message.contains("press") && !message.contains("release"))) {
        return ErrorJson("send {\"press\": TARGET} or {\"release\": TARGET}");
    }
    const bool press = message.contains("press");
    const json& target = message.begin().value();
    std::optional<int> control;
    if (target.is_string()) {
        const std::string& name = target.get_ref<const std::string&>();
        control = name == "answer" || name == "dial" ? ControlOf(name) : std::nullopt;
    } else if (target.is_number_integer() && target.get<int64_t>() >= 0 &&
               target.get<int64_t>() < kPanelButtons) {
        control = static_cast<int>(target.get<int64_t>());
    }
    if (!control) {
        return ErrorJson("TARGET is a key index 0 to 7, \"answer\" or \"dial\"");
    }
    if (!press) {
        panel.Release(*control, holder);
    } else if (!panel.TakingPresses()) {
        return ErrorJson(kBusy);
    } else {
        panel.Press(*control, holder);
    }
    return {};
}

void ExpireLeases(RemotePanel& panel, LeaseBook& leases, LeaseTime now) {
    for (int control : leases.TakeExpired(now)) {
        panel.Release(control, kHttpHolder);
    }
}

}  // namespace kv::remote
