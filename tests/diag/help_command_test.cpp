#include "help_command.h"

#include <gtest/gtest.h>

using kv::help::HelpCommand;
using Kind = HelpCommand::Kind;

TEST(HelpCommand, CommandLineNamesOneFileAndAtMostATopic) {
    std::string error;
    auto o = kv::help::ParseHelpArguments({"/p/Intercom.HLP"}, error);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->HelpFile, "/p/Intercom.HLP");
    EXPECT_EQ(o->Show.What, Kind::Contents);

    o = kv::help::ParseHelpArguments({"--topic", "130", "/p/Intercom.HLP"}, error);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->Show.What, Kind::Topic);
    EXPECT_EQ(o->Show.Topic, 130);

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{},
                                               {"--topic", "60"},
                                               {"f", "--topic"},
                                               {"f", "--topic", "x"},
                                               {"f", "--topic", "-5"},
                                               {"f", "--topic", "60x"},
                                               {"f", "--topic", "99999999999"},
                                               {"f", "g"},
                                               {"f", "--quiet"}}) {
        error.clear();
        EXPECT_FALSE(kv::help::ParseHelpArguments(bad, error)) << bad.size();
        EXPECT_FALSE(error.empty());
    }
}

TEST(HelpCommand, SocketLinesRoundTripAndStrangersAreRefused) {
    for (const HelpCommand& c : {HelpCommand{Kind::Contents, 0}, HelpCommand{Kind::Quit, 0},
                                 HelpCommand{Kind::Topic, 110}}) {
        const auto back = kv::help::ParseHelpLine(kv::help::FormatHelpLine(c));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->What, c.What);
        EXPECT_EQ(back->Topic, c.Topic);
    }
    EXPECT_EQ(kv::help::ParseHelpLine("quit\r\n")->What, Kind::Quit);
    for (const char* bad :
         {"", "QUIT", "quit now", "topic", "topic ", "topic 6 0", "topic -1", " contents"}) {
        EXPECT_FALSE(kv::help::ParseHelpLine(bad)) << bad;
    }
}
