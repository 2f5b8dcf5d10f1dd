#pragma once

#include <optional>
#include <string>
#include <vector>

// What the help viewer is asked to do, from its command line or from another process.

namespace kv::help {

struct HelpCommand {
    enum class Kind { Contents, Topic, Quit };
    Kind What = Kind::Contents;
    int Topic = 0;
};

struct HelpOptions {
    std::string HelpFile;
    HelpCommand Show;  // Contents or Topic
};

// "<help file> [--topic N]"; an error text when the arguments are wrong.
std::optional<HelpOptions> ParseHelpArguments(const std::vector<std::string>& args,
                                              std::string& error);

// One line of the viewer's socket: "contents", "topic N" or "quit".
std::optional<HelpCommand> ParseHelpLine(const std::string& line);
std::string FormatHelpLine(const HelpCommand& command);

}  // namespace kv::help
