#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "display/station_display.h"
#include "panel_fakes.h"
#include "remote/control_settings.h"
#include "remote/panel_json.h"
#include "remote/router.h"

using namespace kv;
using namespace kv::remote;
using nlohmann::json;

namespace {

const std::string kToken(64, 'a');

// A connected panel with a talk key on 0 and a listen key on 1, behind the remote interface.
struct RemoteFixture : Panel {
    bool busy = false;
    int shown = 0;
    ContextPanel remote{ctx, rec, [this] { return busy; }, [this] { ++shown; }};
    LeaseBook leases;
    LeaseTime start{};

    RemoteFixture() {
        Link(true);
        v.AssignedInputIndex = 5;
        v.LastCaller = 9;
        Program(0, kTalk, 7);
        Program(1, kListen, 3);
        LoadStationCombo(v, w);
        v.OutputNames[2] = "FL\xD6OR   ";  // FLÖOR, padded as the server sends names
    }
    Reply Call(const std::string& method, const std::string& target, const std::string& body = {},
               int seconds = 0) {
        HttpRequest r;
        r.Method = method;
        r.Target = target;
        r.Body = body;
        r.Headers = {{"host", "127.0.0.1:1"}, {"authorization", "Bearer " + kToken}};
        return Route(r, remote, leases,
                     {kToken, "", std::chrono::seconds(20), start + std::chrono::seconds(seconds)});
    }
};

}  // namespace

TEST(Router, RoutesAnswerWithStatusesAndDriveThePanel) {
    struct Row {
        std::string method, target, body;
        bool busy;
        int status;
        std::vector<Request> sent;
        std::string allow = {};
    };
    const Row rows[] = {
        {"GET", "/v1/panel", "", true, 200, {}},
        {"POST", "/v1/keys/0/press", "", false, 200, {{5, 7, 37}}},
        {"POST", "/v1/keys/0/release", "", true, 200, {}},  // never refused: no open mic
        {"POST", "/v1/answer/press", "", false, 200, {{1, 9, 37}}},
        {"POST", "/v1/keys/0/press", "", true, 409, {}},
        {"POST", "/v1/keys/8/press", "", false, 400, {}},
        {"POST", "/v1/keys/x/press", "", false, 400, {}},
        {"POST", "/v1/keys/01/press", "", false, 400, {}},
        {"POST", "/v1/keys/0/hold", "", false, 404, {}},
        {"POST", "/v1/talk/press", "", false, 404, {}},
        {"GET", "/v2/panel", "", false, 404, {}},
        {"GET", "/v1/keys/0/press", "", false, 405, {}, "POST"},
        {"DELETE", "/v1/panel", "", false, 405, {}, "GET"},
        {"GET", "/v1/dial", "", false, 405, {}, "PUT"},
        {"POST", "/v1/events", "", false, 405, {}, "GET"},
        {"GET", "/v1/events", "", false, 400, {}},  // not an upgrade
        {"PUT", "/v1/dial", R"({"station": 3})", false, 200, {}},
        {"PUT", "/v1/dial", R"({"name": "FLÖOR"})", false, 200, {}},
        {"PUT", "/v1/dial", R"({"station": 3})", true, 409, {}},
        {"PUT", "/v1/dial", R"({"station": 999999})", false, 404, {}},
        {"PUT", "/v1/dial", R"({"name": "NOBODY"})", false, 404, {}},
        {"PUT", "/v1/dial", R"({"name": "€"})", false, 404, {}},
        {"PUT", "/v1/dial", R"({"station": "3"})", false, 400, {}},
        {"PUT", "/v1/dial", R"({"station": 3, "name": "x"})", false, 400, {}},
        {"PUT", "/v1/dial", "{", false, 400, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.method + " " + r.target + " " + r.body);
        RemoteFixture f;
        f.busy = r.busy;
        const Reply reply = f.Call(r.method, r.target, r.body);
        EXPECT_EQ(reply.Status, r.status);
        EXPECT_EQ(reply.Allow, r.allow);
        EXPECT_EQ(f.Sent(), r.sent);
        const json body = json::parse(reply.Body);
        EXPECT_EQ(body.contains("error"), r.status != 200);
        EXPECT_EQ(body.contains("keys"), r.status == 200);
    }
    RemoteFixture f;
    EXPECT_EQ(json::parse(f.Call("PUT", "/v1/dial", R"({"name": "FLÖOR"})").Body)["dial"],
              json({{"station", 3}, {"name", "FLÖOR"}}));
    f.Link(false);  // the choice opens only on a connected panel
    EXPECT_EQ(f.Call("PUT", "/v1/dial", R"({"station": 3})").Status, 404);
    EXPECT_EQ(f.Call("GET", "/v1/events").Status, 400);
}

TEST(Router, AnHttpHoldEndsAtItsReleaseOrWhenItsLeaseRunsOut) {
    RemoteFixture f;
    const auto at = [&](int s) { return f.start + std::chrono::seconds(s); };
    f.Call("POST", "/v1/keys/0/press", "", 0);
    f.Call("POST", "/v1/keys/0/press", "", 15);  // renews, sends nothing
    ExpireLeases(f.remote, f.leases, at(30));
    EXPECT_TRUE(IsHeld(f.w, 0));
    EXPECT_EQ(f.leases.NextExpiry(), at(35));
    ExpireLeases(f.remote, f.leases, at(35));
    EXPECT_FALSE(IsHeld(f.w, 0));
    EXPECT_EQ(f.Sent(), (std::vector<Request>{{5, 7, 37}, {5, 7, 33}}));
    EXPECT_FALSE(f.leases.NextExpiry());

    f.Call("POST", "/v1/answer/press", "", 40);  // released in time: its lease is gone
    f.Call("POST", "/v1/answer/release", "", 41);
    EXPECT_FALSE(f.leases.NextExpiry());
    EXPECT_EQ(f.Sent().size(), 4u);
}

TEST(Router, SocketClientsHoldOnTheirOwnAndLetGoWhenTheyLeave) {
    RemoteFixture f;
    const uint32_t a = kFirstSocketHolder, b = kFirstSocketHolder + 1;
    EXPECT_EQ(SocketMessage(R"({"press": 0})", f.remote, a), "");
    EXPECT_EQ(SocketMessage(R"({"press": 0})", f.remote, b), "");
    EXPECT_EQ(SocketMessage(R"({"press": "answer"})", f.remote, a), "");
    f.remote.ReleaseHolder(a);
    EXPECT_TRUE(IsHeld(f.w, 0));  // b still holds it
    EXPECT_FALSE(IsHeld(f.w, kAnswerControl));
    EXPECT_EQ(SocketMessage(R"({"release": 0})", f.remote, b), "");
    EXPECT_EQ(f.Sent(), (std::vector<Request>{{5, 7, 37}, {1, 9, 37}, {1, 9, 33}, {5, 7, 33}}));

    for (const char* bad : {R"({"press": 8})", R"({"press": -1})", R"({"press": "0"})",
                            R"({"hold": 0})", R"({"press": 0, "release": 0})", "[0]", "",
                            R"({"press": 1.0})", R"({"press": "talk"})"}) {
        SCOPED_TRACE(bad);
        EXPECT_TRUE(json::parse(SocketMessage(bad, f.remote, a)).contains("error"));
    }
    f.busy = true;
    EXPECT_TRUE(json::parse(SocketMessage(R"({"press": "dial"})", f.remote, a)).contains("error"));
    EXPECT_EQ(f.Sent().size(), 4u);
}

TEST(PanelJson, WritesEveryKeyInWindowOrderWithNamesInUtf8) {
    RemoteFixture f;
    f.w.Buttons[0].Caption = "ST\xC9R\rTalk";
    f.w.InputWindowText = "CALLER";
    f.w.Caption = "Panel \xE9";
    PressControl(f.ctx, f.rec, 1, kMouseHolder);
    const json j = json::parse(PanelJson(f.remote.Snapshot()));
    EXPECT_EQ(j["connected"], true);
    EXPECT_EQ(j["caption"], "Panel é");
    EXPECT_EQ(j["caller"], json({{"station", 9}, {"name", "CALLER"}}));
    EXPECT_EQ(j["dial"]["station"], 1);
    ASSERT_EQ(j["keys"].size(), 8u);
    EXPECT_EQ(j["keys"][0], json::parse(R"({"index": 0, "line1": "STÉR", "line2": "Talk",
        "type": "talk", "station": 7, "lit": false, "flashing": false, "held": false,
        "enabled": true})"));
    EXPECT_TRUE(j["keys"][1]["held"] && j["keys"][1]["lit"]);
    EXPECT_EQ(j["keys"][7]["index"], 7);
    f.Link(false);
    EXPECT_TRUE(json::parse(PanelJson(f.remote.Snapshot()))["caller"].is_null());
    EXPECT_EQ(Utf8ToLatin1("\xC3\xA9\xC2\x80"), std::string("\xE9\x80"));
    EXPECT_FALSE(Utf8ToLatin1("\xE2\x82\xAC"));
    EXPECT_FALSE(Utf8ToLatin1("\xC3"));
}

TEST(ControlSettings, TheDialogsBoxesAreReadOrRefusedWithAReason) {
    struct Row {
        SettingsForm form;
        bool addressValid;
        bool taken;
    };
    const Row rows[] = {{{true, "::1", "0", "1"}, true, true},
                        {{false, "127.0.0.1", "65535", "3600"}, true, true},
                        {{true, "here", "9180", "20"}, false, false},
                        {{true, "", "65536", "20"}, true, false},
                        {{true, "", "-1", "20"}, true, false},
                        {{true, "", "9180", "0"}, true, false},
                        {{true, "", "9180", "3601"}, true, false},
                        {{true, "", "9180", "2x"}, true, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.form.Address + " " + r.form.Port + " " + r.form.LeaseSeconds);
        ControlSettings out;
        const std::string problem = ReadForm(r.form, r.addressValid, out);
        EXPECT_EQ(problem.empty(), r.taken);
        EXPECT_EQ(out == ControlSettings{}, !r.taken);
        if (r.taken) {
            EXPECT_EQ(out.Port, std::stoi(r.form.Port));
        }
    }
}
