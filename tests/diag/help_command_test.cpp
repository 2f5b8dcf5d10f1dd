#include "help_command.h"

#include <gtest/gtest.h>

using kv::help::HelpCommand;
using Kind = HelpCommand::Kind;

TEST(HelpCommand, CommandLineAndSocketLinesTakeOnlyWhatTheyKnow) {
    std::string error;
    const auto o = kv::help::ParseHelpArguments({"--topic", "130", "/p/Intercom.HLP"}, error);
    EXPECT_EQ(std::tuple(o.value().HelpFile, o->Show.What, o->Show.Topic),
              std::tuple("/p/Intercom.HLP", Kind::Topic, 130));
    EXPECT_EQ(kv::help::ParseHelpArguments({"f"}, error).value().Show.What, Kind::Contents);
    for (const std::vector<std::string>& refused :
         std::vector<std::vector<std::string>>{{},
                                               {"--topic", "60"},
                                               {"f", "--topic"},
                                               {"f", "--topic", "-5"},
                                               {"f", "--topic", "60x"},
                                               {"f", "--topic", "99999999999"},
                                               {"f", "g"}}) {
        EXPECT_FALSE(kv::help::ParseHelpArguments(refused, error)) << refused.size();
    }
    for (const HelpCommand& c :
         {HelpCommand{Kind::Quit, 0}, HelpCommand{Kind::Contents, 0}, {Kind::Topic, 110}}) {
        const auto back = kv::help::ParseHelpLine(kv::help::FormatHelpLine(c));
        EXPECT_EQ(std::tuple(back.value().What, back->Topic), std::tuple(c.What, c.Topic));
    }
    for (const char* bad :
         {"", "QUIT", "quit now", "topic ", "topic 6 0", "topic -1", " contents"}) {
        EXPECT_FALSE(kv::help::ParseHelpLine(bad)) << bad;
    }
}
