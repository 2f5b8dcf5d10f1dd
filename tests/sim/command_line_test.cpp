#include <gtest/gtest.h>

#include "command.h"
#include "station_names.h"

// What the server tests leave out: they run every command in its plain form.

namespace sim {
namespace {

TEST(Commands, CaseCommentsHexFormsAndMalformedLines) {
    const Command call = std::get<Command>(ParseCommand("  CALL 3 12  # ring the panel"));
    EXPECT_EQ(std::tuple(call.kind, call.station, call.output),
              std::tuple(Command::Kind::Call, 3, 12));
    EXPECT_FALSE(std::get<Command>(ParseCommand("silent OFF")).on);
    EXPECT_EQ(std::get<Command>(ParseCommand("garbage FE 0x25 0805")).bytes,
              (Bytes{0xFE, 0x25, 0x08, 0x05}));
    // Each malformed line and what its error says, apart.
    for (std::string_view bad :
         {"hangup 3 x|usage: hangup STATION OUTPUT", "call -1 2|usage",
          "clear 16384|usage: clear OUTPUT", "silent maybe|usage: silent on|off",
          "garbage|usage: garbage HEX...", "garbage F|'F' is not hex bytes",
          "garbage GG|'GG' is not hex bytes", "flood 67108865|usage: flood N (0 to 67108864)",
          "burst 1000001|usage: burst N (0 to 1000000)", "wait soon|usage: wait MS",
          "stats now|usage: stats", "dance|unknown command 'dance' (see --help)"}) {
        const auto r = ParseCommand(bad.substr(0, bad.find('|')));
        ASSERT_TRUE(std::holds_alternative<std::string>(r)) << bad;
        EXPECT_NE(std::get<std::string>(r).find(bad.substr(bad.find('|') + 1)), std::string::npos)
            << bad;
    }
}

TEST(StationNames, DefaultsFileLinesAndFitting) {
    const auto names = DefaultNames(10);
    EXPECT_EQ(std::vector<std::string>(names.begin() + 7, names.end()),
              (std::vector<std::string>{"FLOOR MGR", "STATION 9", "STATION 10"}));
    auto renamed = DefaultNames(3);
    ApplyNameLines("ALPHA\r\n \nGAMMA\nDELTA\n", renamed);
    EXPECT_EQ(renamed, (std::vector<std::string>{"ALPHA", "CAMERA 1", "GAMMA"}));
    EXPECT_EQ(FitNames({"caf\xC3\xA9"}, 5), std::vector<std::string>{"caf??"});
}

}  // namespace
}  // namespace sim
