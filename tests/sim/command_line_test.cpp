#include <gtest/gtest.h>

#include "command.h"
#include "options.h"
#include "station_names.h"

namespace sim {
namespace {

Command Parsed(std::string_view line) {
    auto r = ParseCommand(line);
    EXPECT_TRUE(std::holds_alternative<Command>(r)) << line;
    return std::holds_alternative<Command>(r) ? std::get<Command>(r) : Command{};
}

std::string Error(std::string_view line) {
    auto r = ParseCommand(line);
    EXPECT_TRUE(std::holds_alternative<std::string>(r)) << line;
    return std::holds_alternative<std::string>(r) ? std::get<std::string>(r) : "";
}

TEST(Commands, ParseEveryForm) {
    Command c = Parsed("  call 3 12  # ring the panel");
    EXPECT_EQ(c.kind, Command::Kind::Call);
    EXPECT_EQ(c.station, 3);
    EXPECT_EQ(c.output, 12);
    EXPECT_EQ(Parsed("HANGUP 3 12").kind, Command::Kind::Hangup);
    EXPECT_EQ(Parsed("clear 7").output, 7);
    EXPECT_TRUE(Parsed("silent on").on);
    EXPECT_FALSE(Parsed("silent OFF").on);
    EXPECT_EQ(Parsed("garbage FE 0x25 0805 00").bytes, (Bytes{0xFE, 0x25, 0x08, 0x05, 0x00}));
    EXPECT_EQ(Parsed("flood 1000").count, 1000);
    EXPECT_EQ(Parsed("burst 1500").kind, Command::Kind::Burst);
    EXPECT_EQ(Parsed("wait 250").count, 250);
    EXPECT_EQ(Parsed("# only a comment").kind, Command::Kind::None);
    EXPECT_EQ(Parsed("").kind, Command::Kind::None);
    for (auto [line, kind] : {std::pair{"notconnected", Command::Kind::NotConnected},
                              {"drop", Command::Kind::Drop},
                              {"map", Command::Kind::Map},
                              {"stats", Command::Kind::Stats},
                              {"quit", Command::Kind::Quit}}) {
        EXPECT_EQ(Parsed(line).kind, kind) << line;
    }
}

TEST(Commands, RejectMalformedLines) {
    EXPECT_NE(Error("dance").find("unknown command 'dance'"), std::string::npos);
    EXPECT_NE(Error("call 3").find("usage: call STATION OUTPUT"), std::string::npos);
    Error("call 3 x");
    Error("call -1 2");
    Error("call 3 99999");
    Error("clear");
    Error("silent maybe");
    Error("garbage");
    Error("garbage F");
    Error("garbage GG");
    Error("flood -5");
    Error("flood 67108865");
    Error("burst 1000001");
    Error("wait soon");
    Error("stats now");
}

TEST(Options, DefaultsValuesAndErrors) {
    const auto defaults = std::get<Options>(ParseOptions({}));
    EXPECT_EQ(defaults.port, 1250);
    EXPECT_EQ(defaults.stations, 16);
    EXPECT_EQ(defaults.width, 10);
    EXPECT_EQ(defaults.pollMs, 1000);
    EXPECT_EQ(defaults.typeMs, 10000);
    EXPECT_FALSE(defaults.trace);

    const auto o = std::get<Options>(
        ParseOptions({"--port", "0", "--stations=40", "--width", "12", "--poll-ms", "0",
                      "--type-ms=50", "--trace", "--script", "s.txt", "--names=n.txt"}));
    EXPECT_EQ(o.port, 0);
    EXPECT_EQ(o.stations, 40);
    EXPECT_EQ(o.width, 12);
    EXPECT_EQ(o.pollMs, 0);
    EXPECT_EQ(o.typeMs, 50);
    EXPECT_TRUE(o.trace);
    EXPECT_EQ(o.scriptFile, "s.txt");
    EXPECT_EQ(o.namesFile, "n.txt");
    EXPECT_TRUE(std::get<Options>(ParseOptions({"--help"})).help);

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--port"},
                                                {"--port", "65536"},
                                                {"--port", "12ab"},
                                                {"--stations", "0"},
                                                {"--stations", "16384"},
                                                {"--width", "128"},
                                                {"--poll-ms", "-1"},
                                                {"--script"},
                                                {"--frobnicate"},
                                                {"--trace=1"}}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(ParseOptions(bad))) << bad[0];
    }
    EXPECT_NE(HelpText().find("--port"), std::string::npos);
}

TEST(StationNames, DefaultsFileLinesAndFitting) {
    const auto names = DefaultNames(10);
    EXPECT_EQ(names[0], "DIRECTOR");
    EXPECT_EQ(names[7], "FLOOR MGR");
    EXPECT_EQ(names[8], "STATION 9");
    EXPECT_EQ(names[9], "STATION 10");

    auto renamed = DefaultNames(3);
    ApplyNameLines("ALPHA\r\n\nGAMMA\nDELTA\n", renamed);
    EXPECT_EQ(renamed, (std::vector<std::string>{"ALPHA", "CAMERA 1", "GAMMA"}));

    const auto fitted = FitNames({"AB", "STATION 100", "caf\xC3\xA9"}, 5);
    EXPECT_EQ(fitted, (std::vector<std::string>{"AB   ", "STATI", "caf??"}));
}

}  // namespace
}  // namespace sim
