#include <gtest/gtest.h>
#include <sys/stat.h>

#include "remote/access_checks.h"
#include "remote/control_token.h"
#include "remote/http_request.h"
#include "temp_dir.h"

using namespace kv::remote;

// Each request fed whole, byte by byte and in 7-byte pieces: 200 read whole (as "seen"),
// 0 still waiting, else refused with that status.
TEST(RequestReader, ReadsWholeRequestsFromPiecesAndRefusesWhatIsBadOrTooLarge) {
    struct Row {
        std::string bytes;
        int status;
        std::string seen = {};
    };
    const std::string big(kMaxHeaderBytes, 'a'), body(kMaxBodyBytes, 'b');
    const Row rows[] = {
        {"GET /v1/panel?x=1 HTTP/1.1\r\nHost: localhost\r\n\r\n", 200, "GET /v1/panel [] keep"},
        {"PUT /v1/dial HTTP/1.1\r\nContent-Length: 4\r\nConnection: Upgrade, close\r\n\r\nabcdEX",
         200, "PUT /v1/dial [abcd] close"},
        {"GET / HTTP/1.0\r\n\r\n", 200, "GET / [] close"},
        {"GET / HTTP/1.0\r\nconnection: Keep-Alive\r\n\r\n", 200, "GET / [] keep"},
        {"PUT / HTTP/1.1\r\nContent-Length: 4096\r\n\r\n" + body, 200, "PUT / [" + body + "] keep"},
        {"PUT / HTTP/1.1\r\nContent-Length: 10\r\n\r\nabc", 0},
        {"GET / HTTP/1.1\r\nHost: x", 0},
        {"PUT / HTTP/1.1\r\nContent-Length: 4097\r\n\r\n", 413},
        {"PUT / HTTP/1.1\r\nContent-Length: 99999999999999999999\r\n\r\n", 413},
        {"PUT / HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 1\r\n\r\nab", 400},
        {"PUT / HTTP/1.1\r\nContent-Length: -1\r\n\r\n", 400},
        {"PUT / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nX: " + big + "\r\n\r\n", 431},
        {"GET / HTTP/1.1\r\nX: " + big, 431},
        {"get / HTTP/1.1\r\n\r\n", 400},
        {"GET  / HTTP/1.1\r\n\r\n", 400},
        {"GET / HTTP/2.0\r\n\r\n", 400},
        {"GET x HTTP/1.1\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\n folded\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nNo-Colon\r\n\r\n", 400},
        {"GET / HTTP/1.1\r\nBad\x01: v\r\n\r\n", 400},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.bytes.substr(0, 60));
        for (std::size_t piece : {r.bytes.size(), std::size_t{1}, std::size_t{7}}) {
            RequestReader reader;
            HttpRequest q;
            ReadResult result;
            std::size_t fed = 0;
            for (; fed < r.bytes.size() && result.State == ReadState::NeedMore; fed += piece) {
                reader.Feed(std::string_view(r.bytes).substr(fed, piece));
                result = reader.Next(q);
            }
            const bool whole = result.State == ReadState::Complete;
            EXPECT_EQ(whole ? 200 : result.Status, r.status);
            if (whole) {
                EXPECT_EQ(q.Method + " " + q.Target + " [" + q.Body + "] " +
                              (q.KeepAlive ? "keep" : "close"),
                          r.seen);
                EXPECT_EQ(q.Size + reader.Buffered(), std::min(fed, r.bytes.size()));
            }
        }
    }
}

TEST(RequestReader, PipelinedRequestsComeOneAfterAnother) {
    RequestReader reader;
    reader.Feed(
        "POST /a HTTP/1.1\r\nContent-Length: 2\r\n\r\nxyGET /b HTTP/1.1\r\nHost: h\r\n\r\nGET /c");
    HttpRequest a, b, c;
    ASSERT_EQ(reader.Next(a).State, ReadState::Complete);
    ASSERT_EQ(reader.Next(b).State, ReadState::Complete);
    EXPECT_EQ(reader.Next(c).State, ReadState::NeedMore);
    EXPECT_EQ(a.Body, "xy");
    EXPECT_EQ(b.Target, "/b");
    EXPECT_EQ(*b.Header("host"), "h");
    reader.Feed(" HTTP/1.1\r\n\r\n");
    ASSERT_EQ(reader.Next(c).State, ReadState::Complete);
    EXPECT_EQ(c.Target, "/c");
}

TEST(AccessChecks, HostOriginAndTokenDecideBeforeAnyRoute) {
    const std::string token(64, 'f');
    struct Row {
        std::vector<std::pair<std::string, std::string>> headers;
        int status;
    };
    const std::string bearer = "Bearer " + token;
    const Row rows[] = {
        {{{"host", "127.0.0.1:8080"}, {"authorization", bearer}}, 0},
        {{{"host", "LocalHost"}, {"authorization", "bearer  " + token}}, 0},
        {{{"host", "[::1]:9"}, {"authorization", bearer}}, 0},
        {{{"host", "127.255.0.9"}, {"authorization", bearer}}, 0},
        {{{"host", "10.0.0.5:80"}, {"authorization", bearer}}, 0},  // the address named
        {{{"host", "127.0.0.1"}, {"authorization", bearer}, {"origin", "null"}}, 403},
        {{{"host", "evil.example:8080"}, {"authorization", bearer}}, 403},
        {{{"host", "localhost.evil.example"}, {"authorization", bearer}}, 403},
        {{{"host", "127.0.0.1.evil"}, {"authorization", bearer}}, 403},
        {{{"host", "127.0.0.256"}, {"authorization", bearer}}, 403},
        {{{"host", "localhost:80x"}, {"authorization", bearer}}, 403},
        {{{"host", "[::2]"}, {"authorization", bearer}}, 403},
        {{{"authorization", bearer}}, 403},
        {{{"host", "localhost"}, {"host", "evil.example"}, {"authorization", bearer}}, 403},
        {{{"host", "localhost"}}, 401},
        {{{"host", "localhost"}, {"authorization", "Bearer " + token + "0"}}, 401},
        {{{"host", "localhost"}, {"authorization", "Bearer " + token.substr(1)}}, 401},
        {{{"host", "localhost"}, {"authorization", bearer.substr(0, bearer.size() - 1) + "e"}},
         401},
        {{{"host", "localhost"}, {"authorization", "Basic " + token}}, 401},
        {{{"host", "localhost"}, {"authorization", "Bearer"}}, 401},
    };
    for (const Row& r : rows) {
        HttpRequest request;
        request.Headers = r.headers;
        SCOPED_TRACE(r.headers.front().second);
        EXPECT_EQ(CheckAccess(request, token, "10.0.0.5"), r.status);
    }
    HttpRequest request;
    request.Headers = {{"host", "localhost"}, {"authorization", "Bearer "}};
    EXPECT_EQ(CheckAccess(request, "", ""), 401);  // no token set: nobody gets in
}

TEST(ControlToken, MadeOwnerOnlyOnceKeptThenReplacedWhenTooShort) {
    TempDir dir;
    std::string reason, folder = dir.path().string(), file = folder + "/" + kTokenFileName;
    const auto mode = [&] {
        struct stat st {};
        return stat(file.c_str(), &st) == 0 ? st.st_mode & 0777 : 0u;
    };
    const std::string first = LoadOrCreateToken(folder, reason);
    ASSERT_EQ(first.size(), 64u) << reason;
    EXPECT_EQ(mode(), 0600u);
    chmod(file.c_str(), 0644);
    EXPECT_EQ(LoadOrCreateToken(folder, reason), first);
    EXPECT_EQ(mode(), 0600u);  // made owner-only again

    dir.Write(kTokenFileName, "short\n");
    const std::string replaced = LoadOrCreateToken(folder, reason);
    EXPECT_EQ(replaced.size(), 64u);
    EXPECT_EQ(dir.Read(kTokenFileName), replaced + "\n");
}
