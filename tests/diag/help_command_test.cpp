#include "help_command.h"

#include <gtest/gtest.h>

using kv::help::HelpCommand;
using Kind = HelpCommand::Kind;

TEST(HelpCommand, CommandLineNamesOneFileAndAtMostATopic) {
    std::string error;
    auto o = kv::help::ParseHelpArguments({"--topic", "130", "/p/Intercom.HLP"}, error);
    ASSERT_TRUE(o);
    EXPECT_EQ(std::tuple(o->HelpFile, o->Show.What, o->Show.Topic),
              std::tuple("/p/Intercom.HLP", Kind::Topic, 130));
    EXPECT_EQ(kv::help::ParseHelpArguments({"f"}, error).value().Show.What, Kind::Contents);

    const std::vector<std::string> refused[] = {{},
                                                {"--topic", "60"},
                                                {"f", "--topic"},
                                                {"f", "--topic", "x"},
                                                {"f", "--topic", "-5"},
                                                {"f", "--topic", "60x"},
                                                {"f", "--topic", "99999999999"},
                                                {"f", "g"},
                                                {"f", "--quiet"}};
    for (const std::vector<std::string>& arguments : refused) {
        error.clear();
        EXPECT_FALSE(kv::help::ParseHelpArguments(arguments, error)) << arguments.size();
        EXPECT_FALSE(error.empty());
    }
}

TEST(HelpCommand, SocketLinesRoundTripAndStrangersAreRefused) {
    for (const HelpCommand& c : {HelpCommand{Kind::Contents, 0}, HelpCommand{Kind::Quit, 0},
                                 HelpCommand{Kind::Topic, 110}}) {
        const auto back = kv::help::ParseHelpLine(kv::help::FormatHelpLine(c));
        ASSERT_TRUE(back);
        EXPECT_EQ(std::tuple(back->What, back->Topic), std::tuple(c.What, c.Topic));
    }
    EXPECT_EQ(kv::help::ParseHelpLine("quit\r\n")->What, Kind::Quit);
    for (const char* bad :
         {"", "QUIT", "quit now", "topic", "topic ", "topic 6 0", "topic -1", " contents"}) {
        EXPECT_FALSE(kv::help::ParseHelpLine(bad)) << bad;
    }
}
