#pragma once

#include <QByteArray>
#include <QString>

namespace kv::platform {

// Sends one line to a local server of ours (the help viewer, a running panel): true when it
// connected within ms and the line was written.
bool SendLocalLine(const QString& serverName, const QByteArray& line, int ms);

}  // namespace kv::platform
