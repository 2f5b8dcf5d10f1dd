#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>
#include <string>

// One panel per configuration folder: a lock file in the folder, and a local socket on
// which the panel holding it hears a later start and comes to the front.

namespace kv {

class SingleInstance {
public:
    enum class Claim {
        Taken,       // this start holds the folder
        HandedOver,  // a running panel holds it and was asked to come to the front
        Refused,     // a running panel holds it and could not be reached
    };

    explicit SingleInstance(const std::string& configFolder);

    // Takes the folder, a lock of a dead panel included, or hands over to the running one.
    Claim TakeOrHandOver();

    // Called in the holding panel when a later start asks it to come to the front.
    void OnActivate(std::function<void()> activate);

    const QString& ServerName() const { return name_; }

private:
    QLockFile lock_;
    QString name_;
    QLocalServer server_;
    std::function<void()> activate_;
};

// "keyvane-panel-" and the first 16 hex digits of the folder's SHA-256.
QString PanelServerName(const std::string& configFolder);

}  // namespace kv
