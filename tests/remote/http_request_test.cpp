#include <gtest/gtest.h>
#include <sys/stat.h>

#include "remote/access_checks.h"
#include "remote/control_token.h"
#include "remote/http_request.h"
#include "temp_dir.h"

using namespace kv::remote;

TEST(RequestReader, ReadsWholeRequestsFromPiecesAndRefusesWhatIsBadOrTooLarge) {
    struct Row {
        std::string bytes;
        ReadState state;
        int status;  // when failed
        std::string method, target, body;
        bool keepAlive;
    };
    const std::string big(kMaxHeaderBytes, 'a');
    const Row rows[] = {
        {"GET /v1/panel?x=1 HTTP/1.1\r\nHost: localhost\r\n\r\n", ReadState::Complete, 0, "GET",
         "/v1/panel", "", true},
        {"PUT /v1/dial HTTP/1.1\r\nContent-Length: 4\r\nConnection: Upgrade, "
         "close\r\n\r\nabcdEXTRA",
         ReadState::Complete, 0, "PUT", "/v1/dial", "abcd", false},
        {"GET / HTTP/1.0\r\n\r\n", ReadState::Complete, 0, "GET", "/", "", false},
        {"GET / HTTP/1.0\r\nconnection: Keep-Alive\r\n\r\n", ReadState::Complete, 0, "GET", "/", "",
         true},
        {"PUT / HTTP/1.1\r\nContent-Length: 10\r\n\r\nabc", ReadState::NeedMore, 0, "", "", "",
         true},
        {"GET / HTTP/1.1\r\nHost: x", ReadState::NeedMore, 0, "", "", "", true},
        {"PUT / HTTP/1.1\r\nContent-Length: 4097\r\n\r\n", ReadState::Failed, 413, "", "", "",
         true},
        {"PUT / HTTP/1.1\r\nContent-Length: 99999999999999999999\r\n\r\n", ReadState::Failed, 413,
         "", "", "", true},
        {"PUT / HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 1\r\n\r\nab", ReadState::Failed,
         400, "", "", "", true},
        {"PUT / HTTP/1.1\r\nContent-Length: -1\r\n\r\n", ReadState::Failed, 400, "", "", "", true},
        {"PUT / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", ReadState::Failed, 400, "", "", "",
         true},
        {"GET / HTTP/1.1\r\nX: " + big + "\r\n\r\n", ReadState::Failed, 431, "", "", "", true},
        {"GET / HTTP/1.1\r\nX: " + big, ReadState::Failed, 431, "", "", "", true},
        {"get / HTTP/1.1\r\n\r\n", ReadState::Failed, 400, "", "", "", true},
        {"GET  / HTTP/1.1\r\n\r\n", ReadState::Failed, 400, "", "", "", true},
        {"GET / HTTP/2.0\r\n\r\n", ReadState::Failed, 400, "", "", "", true},
        {"GET x HTTP/1.1\r\n\r\n", ReadState::Failed, 400, "", "", "", true},
        {"GET / HTTP/1.1\r\n folded\r\n\r\n", ReadState::Failed, 400, "", "", "", true},
        {"GET / HTTP/1.1\r\nNo-Colon\r\n\r\n", ReadState::Failed, 400, "", "", "", true},
        {"GET / HTTP/1.1\r\nBad\x01: v\r\n\r\n", ReadState::Failed, 400, "", "", "", true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.bytes.substr(0, 60));
        for (std::size_t piece : {r.bytes.size(), std::size_t{1}, std::size_t{7}}) {
            RequestReader reader;
            HttpRequest request;
            ReadResult result;
            std::size_t fed = 0;
            for (std::size_t at = 0; at < r.bytes.size(); at += piece) {
                reader.Feed(std::string_view(r.bytes).substr(at, piece));
                fed = std::min(at + piece, r.bytes.size());
                result = reader.Next(request);
                if (result.State != ReadState::NeedMore) {
                    break;
                }
            }
            ASSERT_EQ(result.State, r.state);
            EXPECT_EQ(result.Status, r.status);
            if (r.state == ReadState::Complete) {
                EXPECT_EQ(request.Method, r.method);
                EXPECT_EQ(request.Target, r.target);
                EXPECT_EQ(request.Body, r.body);
                EXPECT_EQ(request.KeepAlive, r.keepAlive);
                EXPECT_EQ(request.Size + reader.Buffered(), fed);
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

TEST(ControlToken, MadeOwnerOnlyOnceKeptThenReplacedOnRequest) {
    TempDir dir;
    std::string reason;
    const std::string first = LoadOrCreateToken(dir.path().string(), reason);
    ASSERT_EQ(first.size(), 64u) << reason;
    struct stat st {};
    ASSERT_EQ(stat((dir.path() / kTokenFileName).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(LoadOrCreateToken(dir.path().string(), reason), first);

    chmod((dir.path() / kTokenFileName).c_str(), 0644);
    EXPECT_EQ(LoadOrCreateToken(dir.path().string(), reason), first);
    ASSERT_EQ(stat((dir.path() / kTokenFileName).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    dir.Write(kTokenFileName, "short\n");
    const std::string replaced = LoadOrCreateToken(dir.path().string(), reason);
    EXPECT_EQ(replaced.size(), 64u);
    EXPECT_NE(replaced, first);
    EXPECT_EQ(dir.Read(kTokenFileName), replaced + "\n");
}
