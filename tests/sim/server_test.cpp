#include <gtest/gtest.h>
#include <QHostAddress>
#include <QProcess>
#include <QTcpSocket>
#include <QTest>

#include <algorithm>
#include <set>

#include "panel_messages.h"
#include "server_messages.h"
#include "sim_server.h"
#include "station_names.h"
#include "temp_dir.h"
#include "trace_format.h"

// The server on this test's event loop with panels over loopback; then the program itself.

namespace sim {
namespace {

Bytes Message(uint8_t head, std::initializer_list<int> words) {
    Bytes m{head};
    for (int v : words) {
        Put14(m, v);
    }
    Seal(m);
    return m;
}
Bytes Change(int code, int in, int out) {
    return Message(kCrosspointChange, {code + 0x400, in, out});
}
// An information request for the tables of this first word (and the icom channel table).
Bytes Request(int first, bool icom = false) {
    return Message(kInfoRequest, {first, 0, icom ? 0x2000 : 0, 0, 0});
}
const Bytes kTypeReply{0x81, 0x07, 0x01, 0x08, 0xFF};

// A crosspoint map as "map@START" and per output "LEVEL:INPUT,INPUT"; anything else in hex.
std::string Show(const Bytes& m) {
    if (m.empty() || m[0] != kCrosspointMap || !ChecksumOk(m)) {
        return Hex(m);
    }
    const auto word = [&](std::size_t i) {
        return static_cast<std::size_t>(Word14(m.at(i), m.at(i + 1)));
    };
    std::string s = "map@" + std::to_string(word(4));
    std::size_t at = 6;
    for (std::size_t n = word(2); n > 0; --n, at += 3 + 4 * word(at)) {
        s += " " + std::to_string(m.at(at + 2)) + ":";
        for (std::size_t j = 0; j < word(at); ++j) {  // each input with the output's level
            s += (j ? "," : "") + std::to_string(word(at + 3 + 4 * j)) +
                 (word(at + 5 + 4 * j) == m.at(at + 2) ? "" : "?");
        }
    }
    return at + 2 == m.size() ? s : s + " of the wrong length";
}

// The server on a free port; what it prints is kept.
struct Server {
    explicit Server(const std::vector<std::string>& args)
        : options(std::get<Options>(ParseOptions(args))),
          server(
              options, Switcher(FitNames(DefaultNames(options.stations), options.width)),
              [this](const std::string& line) { out.push_back(line); },
              [this](const std::string& line) { err.push_back(line); }) {
        std::string error;
        EXPECT_TRUE(server.Listen(0, error)) << error;
    }
    void Run(const char* line) { server.Run(std::get<Command>(ParseCommand(line))); }
    const Stats& Counted() const { return server.Counters(); }

    Options options;
    SimServer server;
    std::vector<std::string> out;
    std::vector<std::string> err;
};

// A panel stand-in: raw bytes over loopback, what comes back cut into messages.
struct Client {
    explicit Client(int port) {
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.waitForConnected(3000);
    }
    void Send(const Bytes& bytes) {
        socket.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        socket.flush();
    }
    // The next message from the server, empty when none came within ms.
    Bytes NextBytes(int ms = 3000) {
        std::optional<Frame> frame;
        const bool came = QTest::qWaitFor([&] { return (frame = Pull().Next()).has_value(); }, ms);
        return came ? frame->bytes : Bytes{};
    }
    std::string Next(int ms = 3000) { return Show(NextBytes(ms)); }
    bool Quiet(int ms) { return NextBytes(ms).empty() && Pull().Buffered() == 0; }
    FrameReader& Pull() {
        const QByteArray data = socket.readAll();
        reader.Append(reinterpret_cast<const uint8_t*>(data.constData()), data.size());
        return reader;
    }

    QTcpSocket socket;
    FrameReader reader{1 << 20};
};

TEST(Server, AnswersEachPanelAndSendsEveryChangeAndCommandToAll) {
    Server sim({"--poll-ms=0", "--type-ms=0", "--stations=3"});
    Client a(sim.server.Port());
    Client b(sim.server.Port());
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.Counted().panels == 2; }, 3000));

    a.Send({kPoll});
    EXPECT_EQ(a.Next(), "F4");
    // Input names, output names, the map and the icom channel table, in that order.
    a.Send(Request(0x380, true));
    for (std::string head : {"FC 0A 0A 03 00 00 00 44 49 52", "FC 14 0A 03 00 00 00 44 49 52",
                             "map@0 0: 0: 0:", "DE 00 03 00 00 00 01 00 02 00 06 FF"}) {
        EXPECT_EQ(a.Next().substr(0, head.size()), head);
    }
    a.Send(Request(0x80));
    EXPECT_EQ(a.Next(), "map@0 0: 0: 0:");
    EXPECT_TRUE(a.Quiet(200)) << "more than the map asked for";

    a.Send(Change(37, 2, 1));
    EXPECT_EQ(a.Next() + " " + b.Next(), "map@1 1:2 map@1 1:2");
    b.Send(Change(36, 0, 1));
    EXPECT_EQ(a.Next() + " " + b.Next(), "map@1 0:2,0 map@1 0:2,0");
    // Counted, not answered: stray bytes, a message cut short, changes out of range, of an
    // unknown code, damaged or without the request flag, damaged requests, type replies.
    const auto damaged = [](Bytes m) {  // its checksum off by one
        m[m.size() - 2] ^= 1;
        return m;
    };
    for (const Bytes& m :
         {Bytes{0x05, 0x06, 0xF2, 0x00}, Change(37, 0, 3), Change(37, 16383, 1), Change(40, 1, 2),
          damaged(Change(37, 1, 2)), damaged(Request(0x80)), Bytes{0xEB, 0x01, 0x01, 0xFF},
          Message(kCrosspointChange, {37, 1, 2}), Message(kInfoRequest, {0x80, 0, 0, 0, 0, 0}),
          Bytes{kPollAnswer}, kTypeReply, Bytes{0x81, 0x07, 0x01, 0x09, 0xFF},
          Bytes{0x81, 0x07, 0x02, 0x09, 0xFF}}) {
        a.Send(m);
    }
    EXPECT_TRUE(a.Quiet(200));
    EXPECT_TRUE(b.Quiet(0));
    EXPECT_EQ(FormatStats(sim.Counted()),
              "stats panels=2 in=18 polls-answered=1 changes=2 bad=8 ignored=3 poll-answers=1 "
              "type-replies=1 stray=2");

    // The operator's commands.
    const std::pair<std::vector<const char*>, std::vector<std::string>> commands[] = {
        {{"call 2 1"}, {"map@1 1:2,0"}},
        {{"hangup 2 1"}, {"map@1 1:0"}},
        {{"call 0 1", "clear 1"}, {"map@1 1:0", "map@1 0:"}},
        {{"map"}, {"map@0 0: 0: 0:"}},
        {{"notconnected"}, {"F1"}},
        {{"garbage FE 25 08", "garbage FF"}, {"FE 25 08 FF"}},
        {{"burst 4"}, {"map@0 0:", "map@1 0:", "map@2 0:", "map@0 0:", "81 64 64 FF"}},
    };
    for (const auto& [lines, expected] : commands) {
        for (const char* line : lines) {
            sim.Run(line);
        }
        for (const std::string& message : expected) {
            EXPECT_EQ(a.Next(), message) << lines[0];
        }
    }
    a.Send(kTypeReply);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sim.out.empty(); }, 3000));
    EXPECT_EQ(sim.out.back().substr(0, 31), "burst maps=4 bytes=48 reply-ms=");
    EXPECT_NE(sim.out.back().find(" redials=0"), std::string::npos) << sim.out.back();

    // Silent: nothing answered, no map after a change, which still applies.
    sim.Run("silent on");
    for (const Bytes& m : {Bytes{kPoll}, Request(0x80), Change(37, 1, 2)}) {
        a.Send(m);
    }
    EXPECT_TRUE(a.Quiet(300));
    EXPECT_EQ(std::pair(sim.Counted().pollsAnswered, sim.Counted().changes), std::pair(1LL, 3LL));
    sim.Run("silent off");
    a.Send({kPoll});
    EXPECT_EQ(a.Next(), "F4");
    sim.Run("flood 1000");
    EXPECT_TRUE(QTest::qWaitFor([&] { return a.Pull().Buffered() == 1001; }, 3000));
    EXPECT_EQ(a.Next(0), "") << "the flood ended";
    sim.Run("call 3 1");
    sim.Run("clear 3");
    EXPECT_EQ(sim.err, (std::vector<std::string>{"error: station and output must be 0 to 2",
                                                 "error: output must be 0 to 2"}));
    sim.Run("drop");
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return a.socket.state() == QTcpSocket::UnconnectedState; }, 3000));
    EXPECT_EQ(sim.Counted().panels, 0);
}

TEST(Server, PollsAndAsksTheTypeUntilSilent) {
    Server sim({"--poll-ms=5", "--type-ms=7"});
    Client panel(sim.server.Port());
    std::set<std::string> heard;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return heard.insert(panel.Next(20)), heard.count("F5") && heard.count("81 64 64 FF");
        },
        3000));
    sim.Run("silent on");
    for (int i = 0; i < 20 && !panel.Quiet(100); ++i) {
    }
    EXPECT_TRUE(panel.Quiet(200)) << "polled while silent";
}

TEST(ServerProgram, NamesAndScriptFilesQuitAndStartupErrors) {
    TempDir dir;
    dir.Write("names.txt", "ALPHA ONE\n\nGAMMA\n");
    // The wait outlasts the test: the hangup after it never comes.
    dir.Write("scene.txt", "# a call that stays\nbogus\ncall 2 1\nwait 600000\nhangup 2 1\n");
    const auto path = [&](const char* name) {
        return QString::fromStdString((dir.path() / name).string());
    };
    QProcess sim;
    sim.start(SWITCHERSIM_PATH,
              {"--port", "0", "--poll-ms", "0", "--type-ms", "0", "--stations", "3", "--width", "6",
               "--names", path("names.txt"), "--script", path("scene.txt")});
    ASSERT_TRUE(sim.waitForReadyRead(5000));
    const QString port = QString::fromUtf8(sim.readLine()).trimmed().section(':', -1);
    Client panel(port.toInt());
    panel.Send(Request(0x280));
    const Bytes names = panel.NextBytes();
    ASSERT_EQ(names.size(), 3u * 8 + 9);
    EXPECT_EQ(std::string(names.begin() + 7, names.end() - 2),
              std::string("ALPHA \0\0CAMERA\1\0GAMMA \2\0", 24));
    EXPECT_EQ(panel.Next(), "map@0 0: 1:2 0:");

    const std::tuple<QStringList, int, const char*> starts[] = {
        {{"--port", port}, 1, "cannot listen on 127.0.0.1:"},
        {{"--names", "/nonexistent/names.txt"}, 2, "cannot read the names file"},
        {{"--frobnicate"}, 2, "unknown option '--frobnicate' (try --help)"},
        {{"--width", "128"}, 2, "--width needs a whole number from 1 to 127"},
        {{"--port", "12ab"}, 2, "--port needs a whole number from 0 to 65535"},
        {{"--trace=1"}, 2, "--trace takes no value"},
    };
    for (const auto& [args, exitCode, error] : starts) {
        QProcess second;
        second.start(SWITCHERSIM_PATH, args);
        ASSERT_TRUE(second.waitForFinished(3000));
        EXPECT_EQ(second.exitCode(), exitCode) << error;
        EXPECT_TRUE(second.readAllStandardError().contains(error)) << error;
    }

    // The operator's quit ends the program while its script waits; nothing after it runs.
    sim.write("quit\nstats\n");
    ASSERT_TRUE(sim.waitForFinished(3000));
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_FALSE(sim.readAllStandardOutput().contains("stats"));
    EXPECT_TRUE(sim.readAllStandardError().contains("line 2: unknown command 'bogus'"));
}

}  // namespace
}  // namespace sim
