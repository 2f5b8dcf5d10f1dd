#pragma once

#include <QLocalServer>
#include <QString>

#include "help_command.h"

namespace kv::help {

class HelpWindow;

// Takes requests from panels and from later starts of the viewer: one line each,
// answered with "ok" or the reason it could not be done.
class HelpServer {
public:
    explicit HelpServer(HelpWindow& window);

    // Listens on the name; a name left behind by a viewer that died is taken over.
    bool Listen(const QString& name, QString& reason);

private:
    void Accept();
    QByteArray Handle(const HelpCommand& command);

    HelpWindow& window_;
    QLocalServer server_;
};

// Hands the request to a viewer already listening on the name; false when none answers.
bool ForwardToRunningViewer(const QString& name, const HelpCommand& command, QString& reply);

}  // namespace kv::help
