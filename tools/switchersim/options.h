#pragma once

#include <string>
#include <variant>
#include <vector>

// The command line of switchersim.

namespace sim {

struct Options {
    int port = 1250;
    int stations = 16;
    int width = 10;
    int pollMs = 1000;
    int typeMs = 10000;
    std::string namesFile;
    std::string scriptFile;
    bool trace = false;
    bool help = false;
};

// The options, or the text of what is wrong (args without the program name).
std::variant<Options, std::string> ParseOptions(const std::vector<std::string>& args);
std::string HelpText();

}  // namespace sim
