#include "platform/local_line.h"

#include <QLocalSocket>

namespace kv::platform {

bool SendLocalLine(const QString& serverName, const QByteArray& line, int ms) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(ms)) {
        return false;
    }
    socket.write(line);
    const bool sent = socket.waitForBytesWritten(ms);
    socket.disconnectFromServer();
    return sent;
}

}  // namespace kv::platform
