#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <string>
#include <vector>

#include "diag/help_file.h"
#include "help_command.h"
#include "help_server.h"
#include "help_window.h"

using kv::help::HelpCommand;

namespace {

int Fail(const std::string& text) {
    std::fprintf(stderr, "keyvane-help: %s\n", text.c_str());
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    std::vector<std::string> args;
    for (const QString& arg : QApplication::arguments().mid(1)) {
        args.push_back(arg.toStdString());
    }
    std::string error;
    const std::optional<kv::help::HelpOptions> options = kv::help::ParseHelpArguments(args, error);
    if (!options) {
        return Fail(error);
    }

    // One viewer per help file: a later start hands its request to the running one.
    const QString serverName = QString::fromStdString(kv::HelpServerName(options->HelpFile));
    QString reply;
    if (kv::help::ForwardToRunningViewer(serverName, options->Show, reply)) {
        if (reply != QStringLiteral("ok")) {
            std::fprintf(stderr, "keyvane-help: %s\n", reply.toUtf8().constData());
        }
        return 0;
    }

    const QFileInfo requested(QString::fromStdString(options->HelpFile));
    const std::optional<std::string> file = kv::FindFileAnyCase(
        requested.absolutePath().toStdString(), requested.fileName().toStdString());
    if (!file) {
        return Fail("no help file " + options->HelpFile);
    }

    kv::help::HelpWindow window;
    QString reason;
    if (!window.Load(QString::fromStdString(*file), reason)) {
        return Fail(reason.toStdString());
    }
    kv::help::HelpServer server(window);
    if (!server.Listen(serverName, reason)) {
        // Help still shows; only the panel's quit will not reach it.
        std::fprintf(stderr, "keyvane-help: cannot listen: %s\n", reason.toUtf8().constData());
    }
    window.show();
    if (options->Show.What == HelpCommand::Kind::Topic) {
        // Once the window is laid out, so that the anchor can be scrolled to.
        QTimer::singleShot(0, &window,
                           [&window, topic = options->Show.Topic] { window.ShowTopic(topic); });
    }
    return app.exec();
}
