#include <gtest/gtest.h>
#include <QHostAddress>
#include <QTcpSocket>

#include <memory>
#include <random>

#include "frame_reader.h"
#include "sim_process.h"
#include "temp_dir.h"
#include "wire.h"

namespace {

using sim::Bytes;
using simtest::SimProcess;
using simtest::WaitUntil;

const Bytes kFirstRequest{0xF2, 0x00, 0x07, 0x00, 0x00, 0x00, 0x40,
                          0x00, 0x00, 0x00, 0x00, 0x47, 0xFF};
const QStringList kQuiet{"--trace", "--poll-ms", "0", "--type-ms", "0"};

// A panel stand-in: raw bytes over loopback, everything received kept in order.
class Client {
public:
    explicit Client(int port) {
        socket_.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
        connected_ = socket_.waitForConnected(3000);
    }
    bool Connected() const { return connected_; }
    void Send(const Bytes& bytes) {
        socket_.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        socket_.flush();
    }
    // Waits for the next complete message from the server.
    std::optional<sim::Frame> Next(int ms = 3000) {
        std::optional<sim::Frame> frame;
        WaitUntil(
            [&] {
                Pull();
                frame = reader_.Next();
                return frame.has_value();
            },
            ms);
        return frame;
    }
    // True when nothing at all arrives for ms.
    bool Quiet(int ms) {
        WaitUntil([] { return false; }, ms);
        Pull();
        return reader_.Buffered() == 0;
    }
    bool WaitClosed(int ms) {
        return WaitUntil([&] { return socket_.state() == QAbstractSocket::UnconnectedState; }, ms);
    }
    std::size_t Buffered() {
        Pull();
        return reader_.Buffered();
    }
    QTcpSocket& Socket() { return socket_; }

private:
    void Pull() {
        const QByteArray data = socket_.readAll();
        reader_.Append(reinterpret_cast<const uint8_t*>(data.constData()), data.size());
    }

    QTcpSocket socket_;
    sim::FrameReader reader_{1 << 20};
    bool connected_ = false;
};

Bytes Change(int code, int in, int out) {
    Bytes m{0xFE};
    sim::Put14(m, code + 0x400);
    sim::Put14(m, in);
    sim::Put14(m, out);
    sim::Seal(m);
    return m;
}

// Output block of a one-output map: S, K, level, sources.
struct Block {
    int output;
    int level;
    std::vector<int> sources;
};

Block SingleBlock(const Bytes& m) {
    EXPECT_EQ(m[0], 0xF6);
    EXPECT_TRUE(sim::ChecksumOk(m));
    EXPECT_EQ(sim::Word14(m[2], m[3]), 1);
    Block b{sim::Word14(m[4], m[5]), m[8], {}};
    const int k = sim::Word14(m[6], m[7]);
    EXPECT_EQ(m.size(), static_cast<std::size_t>(8 + 3 + 4 * k));
    for (int j = 0; j < k; ++j) {
        b.sources.push_back(sim::Word14(m[9 + 4 * j], m[10 + 4 * j]));
    }
    return b;
}

TEST(ServerProcess, AnswersPollsAndSendsTheRequestedTables) {
    SimProcess sim(kQuiet);
    ASSERT_GT(sim.Port(), 0) << "first line: " << (sim.Lines().empty() ? "" : sim.Lines()[0]);
    Client panel(sim.Port());
    ASSERT_TRUE(panel.Connected());
    EXPECT_FALSE(sim.WaitForLine("+ panel 1 connected", 3000).empty());

    panel.Send({0xF5});
    auto answer = panel.Next();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->bytes, Bytes{0xF4});

    panel.Send(kFirstRequest);
    std::vector<Bytes> tables;
    for (int i = 0; i < 4; ++i) {
        auto f = panel.Next();
        ASSERT_TRUE(f) << "table " << i;
        EXPECT_TRUE(sim::ChecksumOk(f->bytes)) << sim::Word14(f->bytes[0], 0);
        tables.push_back(f->bytes);
    }
    EXPECT_EQ(tables[0][0], 0xFC);
    EXPECT_EQ(tables[0][1], 10);
    EXPECT_EQ(tables[1][0], 0xFC);
    EXPECT_EQ(tables[1][1], 20);
    EXPECT_EQ(tables[1].size(), 16u * 12 + 9);
    EXPECT_EQ(std::string(tables[1].begin() + 7, tables[1].begin() + 17), "DIRECTOR  ");
    EXPECT_EQ(tables[2][0], 0xF6);
    EXPECT_EQ(sim::Word14(tables[2][2], tables[2][3]), 16);
    EXPECT_EQ(tables[3][0], 0xDE);
    EXPECT_EQ(sim::Word14(tables[3][2], tables[3][3]), 16);
    EXPECT_FALSE(sim.WaitForLine("< panel 1 info-request first=0x380 second=0x2000  "
                                 "F2 00 07 00 00 00 40 00 00 00 00 47 FF",
                                 1000)
                     .empty());

    // Only the map asked for: only the map comes.
    panel.Send({0xF2, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0xFF});
    auto map = panel.Next();
    ASSERT_TRUE(map);
    EXPECT_EQ(map->bytes[0], 0xF6);
    EXPECT_TRUE(panel.Quiet(200));
}

TEST(ServerProcess, ChangesReachEveryPanelAndBadNumbersAreIgnored) {
    SimProcess sim(kQuiet);
    Client a(sim.Port());
    Client b(sim.Port());
    ASSERT_TRUE(a.Connected() && b.Connected());
    ASSERT_FALSE(sim.WaitForLine("+ panel 2", 3000).empty());

    a.Send(Change(37, 5, 12));
    for (Client* c : {&a, &b}) {
        auto f = c->Next();
        ASSERT_TRUE(f);
        const Block block = SingleBlock(f->bytes);
        EXPECT_EQ(block.output, 12);
        EXPECT_EQ(block.level, 1);
        EXPECT_EQ(block.sources, std::vector<int>{5});
    }
    b.Send(Change(36, 2, 12));
    auto f = a.Next();
    ASSERT_TRUE(f);
    EXPECT_EQ(SingleBlock(f->bytes).sources, (std::vector<int>{5, 2}));
    EXPECT_EQ(SingleBlock(f->bytes).level, 0);
    ASSERT_TRUE(b.Next());

    // Dial Up to the last station passes N; Call Answer with no caller passes 16383.
    a.Send(Change(37, 0, 16));
    a.Send(Change(37, 16383, 3));
    a.Send(Change(40, 1, 3));
    Bytes bad = Change(37, 1, 3);
    bad[7] ^= 1;
    a.Send(bad);
    EXPECT_TRUE(a.Quiet(200));
    EXPECT_TRUE(b.Quiet(0));
    const std::string stats = sim.Stats();
    EXPECT_NE(stats.find("panels=2 "), std::string::npos) << stats;
    EXPECT_NE(stats.find("changes=2 "), std::string::npos) << stats;
    EXPECT_NE(stats.find("ignored=3 "), std::string::npos) << stats;
    EXPECT_NE(stats.find("bad=1 "), std::string::npos) << stats;
    EXPECT_NE(stats.find("in=6 "), std::string::npos) << stats;
}

TEST(ServerProcess, OperatorCommands) {
    SimProcess sim(kQuiet);
    Client panel(sim.Port());
    ASSERT_TRUE(panel.Connected());
    ASSERT_FALSE(sim.WaitForLine("+ panel 1", 3000).empty());

    sim.Command("call 3 7");
    auto f = panel.Next();
    ASSERT_TRUE(f);
    EXPECT_EQ(SingleBlock(f->bytes).output, 7);
    EXPECT_EQ(SingleBlock(f->bytes).level, 1);
    EXPECT_EQ(SingleBlock(f->bytes).sources, std::vector<int>{3});
    sim.Command("call 4 7");
    ASSERT_TRUE(panel.Next());
    sim.Command("hangup 3 7");
    f = panel.Next();
    ASSERT_TRUE(f);
    EXPECT_EQ(SingleBlock(f->bytes).sources, std::vector<int>{4});
    sim.Command("clear 7");
    f = panel.Next();
    ASSERT_TRUE(f);
    EXPECT_TRUE(SingleBlock(f->bytes).sources.empty());
    EXPECT_EQ(SingleBlock(f->bytes).level, 0);

    sim.Command("notconnected");
    f = panel.Next();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->bytes, Bytes{0xF1});
    sim.Command("garbage FE 25 08");
    sim.Command("garbage FF");
    f = panel.Next();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->kind, sim::Frame::Kind::Framed);
    EXPECT_EQ(f->bytes, (Bytes{0xFE, 0x25, 0x08, 0xFF}));
    sim.Command("map");
    f = panel.Next();
    ASSERT_TRUE(f);
    EXPECT_EQ(sim::Word14(f->bytes[2], f->bytes[3]), 16);
    sim.Command("burst 3");
    for (int output = 0; output < 3; ++output) {
        f = panel.Next();
        ASSERT_TRUE(f);
        EXPECT_EQ(SingleBlock(f->bytes).output, output);
    }
    f = panel.Next();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->bytes, (Bytes{0x81, 0x64, 0x64, 0xFF}));
    panel.Send({0x81, 0x07, 0x01, 0x08, 0xFF});
    EXPECT_NE(sim.WaitForLine("burst maps=3 bytes=37 reply-ms=", 3000).find(" redials=0"),
              std::string::npos);

    sim.Command("flood 1000");
    EXPECT_TRUE(WaitUntil([&] { return panel.Buffered() == 1001; }, 3000));
    EXPECT_FALSE(panel.Next(100));

    sim.Command("call 99 1");
    sim.Command("dance");
    EXPECT_TRUE(WaitUntil([&] { return sim.Stderr().find("dance") != std::string::npos; }, 3000));
    EXPECT_NE(sim.Stderr().find("error: station and output must be 0 to 15"), std::string::npos);

    sim.Command("drop");
    EXPECT_TRUE(panel.WaitClosed(3000));
    EXPECT_NE(sim.Stats().find("panels=0 "), std::string::npos);
    sim.Command("quit");
    ASSERT_TRUE(sim.Process().waitForFinished(3000));
    EXPECT_EQ(sim.Process().exitCode(), 0);
}

TEST(ServerProcess, SilentStopsAnsweringButKeepsReading) {
    SimProcess sim({"--poll-ms", "20", "--type-ms", "0"});
    Client panel(sim.Port());
    ASSERT_TRUE(panel.Connected());
    auto f = panel.Next();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->bytes, Bytes{0xF5});

    sim.Command("silent on");
    sim.Stats();  // the command has been read once its stats line is out
    while (panel.Next(50)) {
    }
    panel.Send({0xF5});
    panel.Send(kFirstRequest);
    panel.Send(Change(37, 1, 2));
    EXPECT_TRUE(panel.Quiet(300));
    const std::string stats = sim.Stats();
    EXPECT_NE(stats.find("changes=1 "), std::string::npos) << stats;
    EXPECT_NE(stats.find("polls-answered=0 "), std::string::npos) << stats;

    sim.Command("silent off");
    sim.Stats();
    panel.Send({0xF5});
    EXPECT_TRUE(WaitUntil(
        [&] {
            auto g = panel.Next(50);
            return g && g->bytes == Bytes{0xF4};
        },
        3000));
}

TEST(ServerProcess, PollsAndTypeRequestsAreVerified) {
    SimProcess sim({"--poll-ms", "30", "--type-ms", "50"});
    Client panel(sim.Port());
    ASSERT_TRUE(panel.Connected());
    bool poll = false;
    bool type = false;
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (auto f = panel.Next(20)) {
                if (f->bytes == Bytes{0xF5}) {
                    poll = true;
                    panel.Send({0xF4});
                } else if (f->bytes == Bytes({0x81, 0x64, 0x64, 0xFF})) {
                    type = true;
                    panel.Send({0x81, 0x07, 0x01, 0x08, 0xFF});
                }
            }
            return poll && type;
        },
        3000));
    panel.Send({0x81, 0x07, 0x01, 0x09, 0xFF});  // a reply with a wrong checksum
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::string s = sim.Stats();
            return s.find("type-replies=1 ") != std::string::npos &&
                   s.find("bad=1 ") != std::string::npos &&
                   s.find("poll-answers=0 ") == std::string::npos;
        },
        3000));
}

TEST(ServerProcess, SurvivesHostileAndVanishingPanels) {
    SimProcess sim({"--poll-ms", "5", "--type-ms", "7"});
    std::mt19937 random(1234);
    std::vector<std::unique_ptr<Client>> panels;
    for (int i = 0; i < 24; ++i) {
        panels.push_back(std::make_unique<Client>(sim.Port()));
        ASSERT_TRUE(panels.back()->Connected());
        Bytes noise(2000);
        for (auto& b : noise) {
            b = static_cast<uint8_t>(random());
        }
        if (i % 3 == 0) {
            noise.assign(100000, 0x01);  // an endless message with no end byte
            noise[0] = 0xF2;
        }
        panels.back()->Send(noise);
        if (i % 2 == 0) {
            panels.back()->Send({0xFE, 0x25});  // and vanish in the middle of a message
            panels.back()->Socket().abort();
        }
    }
    WaitUntil([] { return false; }, 300);
    Client healthy(sim.Port());
    ASSERT_TRUE(healthy.Connected());
    healthy.Send({0x00, 0x7F, 0xF5});
    EXPECT_TRUE(WaitUntil(
        [&] {
            auto f = healthy.Next(20);
            return f && f->bytes == Bytes{0xF4};
        },
        3000));
    EXPECT_TRUE(sim.Running());
    const std::string stats = sim.Stats();
    EXPECT_NE(stats.find("panels=13 "), std::string::npos) << stats;
    EXPECT_EQ(stats.find("bad=0 "), std::string::npos) << stats;
}

TEST(ServerProcess, ScriptNamesAndStartupErrors) {
    TempDir dir;
    dir.Write("names.txt", "ALPHA ONE\n\nGAMMA\n");
    dir.Write("scene.txt",
              "# a call that comes and goes\nwait 300\ncall 2 1\nwait 150\nhangup 2 1\nbogus\n");
    SimProcess sim({"--poll-ms", "0", "--type-ms", "0", "--stations", "3", "--width", "6",
                    "--names", QString::fromStdString((dir.path() / "names.txt").string()),
                    "--script", QString::fromStdString((dir.path() / "scene.txt").string())});
    Client panel(sim.Port());
    ASSERT_TRUE(panel.Connected());
    panel.Send({0xF2, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xFF});
    auto names = panel.Next();
    ASSERT_TRUE(names);
    ASSERT_EQ(names->bytes.size(), 3u * 8 + 9);
    EXPECT_EQ(std::string(names->bytes.begin() + 7, names->bytes.end() - 2),
              std::string("ALPHA \0\0CAMERA\1\0GAMMA \2\0", 24));

    QElapsedTimer clock;
    clock.start();
    auto call = panel.Next(2000);
    ASSERT_TRUE(call);
    const auto called = clock.elapsed();
    EXPECT_EQ(SingleBlock(call->bytes).sources, std::vector<int>{2});
    auto hangup = panel.Next(2000);
    ASSERT_TRUE(hangup);
    EXPECT_TRUE(SingleBlock(hangup->bytes).sources.empty());
    EXPECT_GE(clock.elapsed() - called, 140);
    EXPECT_TRUE(WaitUntil(
        [&] { return sim.Stderr().find("line 6: unknown command 'bogus'") != std::string::npos; },
        2000));

    // The port is now taken: a second server must say so and stop.
    QProcess second;
    second.start(QStringLiteral(SWITCHERSIM_PATH), {"--port", QString::number(sim.Port())});
    ASSERT_TRUE(second.waitForFinished(3000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(second.readAllStandardError().contains("cannot listen on 127.0.0.1:"));
    second.start(QStringLiteral(SWITCHERSIM_PATH), {"--names", "/nonexistent/names.txt"});
    ASSERT_TRUE(second.waitForFinished(3000));
    EXPECT_EQ(second.exitCode(), 2);
}

}  // namespace
