#include "help_server.h"

#include <QApplication>
#include <QLocalSocket>

#include "help_window.h"

namespace kv::help {
namespace {

constexpr int kConnectMs = 500;
constexpr int kReplyMs = 2000;
constexpr qint64 kMaxLine = 256;  // nothing longer is a request

}  // namespace

HelpServer::HelpServer(HelpWindow& window) : window_(window) {
    QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] { Accept(); });
}

bool HelpServer::Listen(const QString& name, QString& reason) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(name)) {
        return true;
    }
    // The caller found no live viewer on this name, so what is left of it is stale.
    QLocalServer::removeServer(name);
    if (server_.listen(name)) {
        return true;
    }
    reason = server_.errorString();
    return false;
}

void HelpServer::Accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine(kMaxLine);
                const std::optional<HelpCommand> command = ParseHelpLine(line.toStdString());
                socket->write(command ? Handle(*command) : QByteArray("unknown request\n"));
                socket->flush();
                if (command && command->What == HelpCommand::Kind::Quit) {
                    QApplication::quit();
                    return;
                }
            }
            if (socket->bytesAvailable() > kMaxLine) {
                socket->abort();  // no line end in sight: not one of ours
            }
        });
    }
}

QByteArray HelpServer::Handle(const HelpCommand& command) {
    switch (command.What) {
        case HelpCommand::Kind::Quit:
            window_.close();
            return "ok\n";
        case HelpCommand::Kind::Topic:
            window_.Present();
            return window_.ShowTopic(command.Topic)
                       ? QByteArray("ok\n")
                       : QByteArray("no topic ") + QByteArray::number(command.Topic) + "\n";
        case HelpCommand::Kind::Contents:
            break;
    }
    window_.Present();
    window_.ShowContents();
    return "ok\n";
}

bool ForwardToRunningViewer(const QString& name, const HelpCommand& command, QString& reply) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectMs)) {
        return false;
    }
    socket.write(QByteArray::fromStdString(FormatHelpLine(command)));
    if (!socket.waitForBytesWritten(kReplyMs)) {
        return false;
    }
    while (!socket.canReadLine() && socket.waitForReadyRead(kReplyMs)) {
    }
    reply = QString::fromUtf8(socket.readLine(kMaxLine)).trimmed();
    return true;
}

}  // namespace kv::help
