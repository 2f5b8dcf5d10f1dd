#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

// What the panel's command line asks for: --help, --version, --config DIR, --control-port
// PORT, nothing else.

namespace kv {

struct CommandLine {
    bool Help = false;
    bool Version = false;
    std::optional<std::string> ConfigFolder;
    std::optional<int> ControlPort;  // the control API on for this run, on this port
    QString Usage;                   // the options, for --help
    QString Error;                   // not empty: the command line is refused for this reason
};

CommandLine ReadCommandLine(const QStringList& arguments);

// The --help text: the usage, then the files this start would use.
QString HelpText(const CommandLine& line, const std::string& filesInUse);

}  // namespace kv
