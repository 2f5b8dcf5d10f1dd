#pragma once

#include <QObject>
#include <QString>
#include <string>

#include "remote/control_settings.h"
#include "remote/remote_panel.h"
#include "remote/remote_server_view.h"

namespace kv {
class MainWindow;
}

namespace kv::remote {

// The control API composed into the program: the server over the real panel, its
// settings in keyvane.conf, its token in control-token, its File menu entry.
class RemoteControl : public QObject {
public:
    RemoteControl(PanelContext& ctx, MainWindow& window, std::string configFolder);

    // --control-port: on for this run on that port, whatever keyvane.conf says.
    bool StartForRun(int port, QString& reason);
    // The operator's saved choice; a failure is reported on standard error.
    void StartIfSaved();

    ControlSettings Saved() const;
    // Saves the choice and applies it now; false, with the reason, when it cannot listen.
    bool Apply(const ControlSettings& settings, QString& reason);
    std::string Token(QString& reason) const;
    bool NewToken(QString& reason);
    QString Url() const { return server_.Listening() ? server_.Url() : QString(); }

private:
    bool Start(const ControlSettings& settings, QString& reason);

    MainWindow& window_;
    std::string folder_;
    ContextPanel panel_;
    RemoteServer server_;
};

}  // namespace kv::remote
