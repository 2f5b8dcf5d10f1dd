#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace kv {

CommandLine ReadCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Keyvane, the intercom key panel."));
    const QCommandLineOption help(
        QStringList{QStringLiteral("h"), QStringLiteral("help")},
        QStringLiteral("Show this help and the files in use, then exit."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version, then exit."));
    const QCommandLineOption config(
        QStringLiteral("config"),
        QStringLiteral("Keep the configuration file and the error log in DIR (one panel per "
                       "folder)."),
        QStringLiteral("DIR"));
    const QCommandLineOption control(
        QStringLiteral("control-port"),
        QStringLiteral("Turn the local control API on for this run, on PORT (0 picks a free "
                       "one); the first line printed is then its address."),
        QStringLiteral("PORT"));
    parser.addOptions({help, version, config, control});

    CommandLine line;
    // Parsed before any application object exists, so the parser cannot know the name.
    line.Usage =
        parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("keyvane"));
    if (!parser.parse(arguments)) {
        line.Error = parser.errorText();
        return line;
    }
    if (!parser.positionalArguments().isEmpty()) {
        line.Error = QStringLiteral("Unexpected argument '%1'.")
                         .arg(parser.positionalArguments().constFirst());
        return line;
    }
    line.Help = parser.isSet(help);
    line.Version = parser.isSet(version);
    if (parser.isSet(config)) {
        const QString folder = parser.value(config);
        if (folder.isEmpty()) {
            line.Error = QStringLiteral("--config needs a folder.");
            return line;
        }
        line.ConfigFolder = folder.toStdString();
    }
    if (parser.isSet(control)) {
        bool number = false;
        const uint port = parser.value(control).toUInt(&number);
        if (!number || port > 65535) {
            line.Error = QStringLiteral("--control-port needs a port from 0 to 65535.");
            return line;
        }
        line.ControlPort = static_cast<int>(port);
    }
    return line;
}

QString HelpText(const CommandLine& line, const std::string& filesInUse) {
    return line.Usage + QStringLiteral("\nFiles in use:\n") + QString::fromStdString(filesInUse) +
           QLatin1Char('\n');
}

}  // namespace kv
