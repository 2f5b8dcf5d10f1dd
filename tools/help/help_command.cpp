#include "help_command.h"

#include <charconv>

namespace kv::help {
namespace {

// A topic number: decimal digits only, within int.
std::optional<int> ParseTopic(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < 0) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<HelpOptions> ParseHelpArguments(const std::vector<std::string>& args,
                                              std::string& error) {
    HelpOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--topic") {
            const std::optional<int> topic =
                i + 1 < args.size() ? ParseTopic(args[i + 1]) : std::nullopt;
            if (!topic) {
                error = "--topic needs a topic number";
                return std::nullopt;
            }
            options.Show = {HelpCommand::Kind::Topic, *topic};
            ++i;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return std::nullopt;
        } else if (options.HelpFile.empty()) {
            options.HelpFile = arg;
        } else {
            error = "only one help file can be shown";
            return std::nullopt;
        }
    }
    if (options.HelpFile.empty()) {
        error = "usage: keyvane-help <help file> [--topic N]";
        return std::nullopt;
    }
    return options;
}

std::optional<HelpCommand> ParseHelpLine(const std::string& line) {
    std::string text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    if (text == "contents") {
        return HelpCommand{HelpCommand::Kind::Contents, 0};
    }
    if (text == "quit") {
        return HelpCommand{HelpCommand::Kind::Quit, 0};
    }
    if (text.rfind("topic ", 0) == 0) {
        if (const std::optional<int> topic = ParseTopic(text.substr(6))) {
            return HelpCommand{HelpCommand::Kind::Topic, *topic};
        }
    }
    return std::nullopt;
}

std::string FormatHelpLine(const HelpCommand& command) {
    switch (command.What) {
        case HelpCommand::Kind::Topic:
            return "topic " + std::to_string(command.Topic) + "\n";
        case HelpCommand::Kind::Quit:
            return "quit\n";
        case HelpCommand::Kind::Contents:
            break;
    }
    return "contents\n";
}

}  // namespace kv::help
