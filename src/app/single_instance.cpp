#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>
#include <utility>

#include "platform/local_line.h"

namespace kv {
namespace {

constexpr const char* kLockFileName = "zebntpnl.ini.lock";
constexpr int kConnectMs = 500;
// A panel that took the lock a moment ago may not listen yet.
constexpr qint64 kStartingPanelMs = 3000;

}  // namespace

QString PanelServerName(const std::string& configFolder) {
    const QByteArray hash = QCryptographicHash::hash(QByteArray::fromStdString(configFolder),
                                                     QCryptographicHash::Sha256);
    return QStringLiteral("keyvane-panel-") + QString::fromLatin1(hash.toHex().left(16));
}

SingleInstance::SingleInstance(const std::string& configFolder)
    : lock_(QString::fromStdString(configFolder) + QLatin1String(kLockFileName)),
      // One name per folder however it was reached (a symbolic link, "a/../b").
      name_(PanelServerName(
          QFileInfo(QString::fromStdString(configFolder)).canonicalFilePath().toStdString())) {
    // Age alone never makes a lock stale: only a holder that no longer runs does.
    lock_.setStaleLockTime(0);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(&server_, &QLocalServer::newConnection, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket,
                             &QLocalSocket::deleteLater);
            if (activate_) {
                activate_();
            }
        }
    });
}

SingleInstance::Claim SingleInstance::TakeOrHandOver() {
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (lock_.tryLock(0) || (lock_.removeStaleLockFile() && lock_.tryLock(0))) {
            // A socket left by a killed panel would block the name; the lock says it is ours.
            QLocalServer::removeServer(name_);
            server_.listen(name_);
            return Claim::Taken;
        }
        if (platform::SendLocalLine(name_, "activate\n", kConnectMs)) {
            return Claim::HandedOver;
        }
        // A folder that cannot hold a lock (read-only) still runs, as it did before locks.
        if (lock_.error() != QLockFile::LockFailedError) {
            server_.listen(name_);
            return Claim::Taken;
        }
        if (waited.elapsed() >= kStartingPanelMs) {
            return Claim::Refused;
        }
        QThread::msleep(100);
    }
}

void SingleInstance::OnActivate(std::function<void()> activate) {
    activate_ = std::move(activate);
}

}  // namespace kv
