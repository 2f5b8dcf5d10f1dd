#include <QCoreApplication>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>

#include "command_feed.h"
#include "options.h"
#include "sim_server.h"
#include "station_names.h"
#include "stdin_lines.h"

namespace {

void PrintLine(FILE* stream, const std::string& line) {
    std::fputs(line.c_str(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

void Out(const std::string& line) {
    PrintLine(stdout, line);
}
void Err(const std::string& line) {
    PrintLine(stderr, line);
}

std::optional<std::string> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
    const auto parsed = sim::ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        Err("switchersim: " + *error + " (try --help)");
        return 2;
    }
    const sim::Options options = std::get<sim::Options>(parsed);
    if (options.help) {
        std::fputs(sim::HelpText().c_str(), stdout);
        return 0;
    }

    std::vector<std::string> names = sim::DefaultNames(options.stations);
    if (!options.namesFile.empty()) {
        const auto text = ReadFile(options.namesFile);
        if (!text) {
            Err("switchersim: cannot read the names file " + options.namesFile);
            return 2;
        }
        sim::ApplyNameLines(*text, names);
    }
    std::optional<std::string> script;
    if (!options.scriptFile.empty()) {
        script = ReadFile(options.scriptFile);
        if (!script) {
            Err("switchersim: cannot read the script file " + options.scriptFile);
            return 2;
        }
    }

    QCoreApplication app(argc, argv);
    sim::SimServer server(options, sim::Switcher(sim::FitNames(names, options.width)), Out, Err);
    std::string error;
    if (!server.Listen(options.port, error)) {
        Err("switchersim: " + error);
        return 1;
    }
    Out("listening on 127.0.0.1:" + std::to_string(server.Port()));

    const auto run = [&server](const sim::Command& command) {
        if (command.kind == sim::Command::Kind::Quit) {
            QCoreApplication::exit(0);
            return false;
        }
        server.Run(command);
        return true;
    };
    sim::CommandFeed scriptFeed(options.scriptFile, run, Err);
    sim::CommandFeed stdinFeed("stdin", run, Err);
    if (script) {
        std::istringstream lines(*script);
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            scriptFeed.Push(line);
        }
    }
    sim::StdinLines input([&stdinFeed](std::string line) { stdinFeed.Push(std::move(line)); });
    return app.exec();
}
