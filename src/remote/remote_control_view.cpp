#include "remote/remote_control_view.h"

#include <QApplication>
#include <QHostAddress>
#include <QSettings>
#include <cstdio>
#include <filesystem>

#include "panel/main_window_view.h"
#include "remote/control_token.h"
#include "remote/remote_dialog_view.h"

namespace kv::remote {
namespace {

QString ConfFile(const std::string& folder) {
    return QString::fromStdString((std::filesystem::path(folder) / "keyvane.conf").string());
}

}  // namespace

RemoteControl::RemoteControl(PanelContext& ctx, MainWindow& window, std::string configFolder)
    : window_(window),
      folder_(std::move(configFolder)),
      panel_(
          ctx, window, [] { return QApplication::activeModalWidget() != nullptr; },
          [&window] { window.AfterOutsideEvent(); }),
      server_(panel_) {
    window.OnRendered([this] { server_.PanelRendered(); });
    window.AddGuardedFileEntry(QStringLiteral("Remote Control..."),
                               [this] { OpenRemoteDialog(*this, &window_); });
}

ControlSettings RemoteControl::Saved() const {
    QSettings conf(ConfFile(folder_), QSettings::IniFormat);
    conf.beginGroup(QStringLiteral("control"));
    ControlSettings s;
    s.Enabled = conf.value(QStringLiteral("enabled"), s.Enabled).toBool();
    s.Address = conf.value(QStringLiteral("address"), QString::fromStdString(s.Address))
                    .toString()
                    .toStdString();
    s.Port = conf.value(QStringLiteral("port"), s.Port).toInt();
    s.LeaseSeconds = conf.value(QStringLiteral("lease_seconds"), s.LeaseSeconds).toInt();
    return s;
}

bool RemoteControl::Start(const ControlSettings& settings, QString& reason) {
    ServerOptions options;
    if (!options.Address.setAddress(QString::fromStdString(settings.Address))) {
        reason = QStringLiteral("the control address '%1' is not an IP address")
                     .arg(QString::fromStdString(settings.Address));
        return false;
    }
    const std::string problem = CheckSettings(settings, true);
    if (!problem.empty()) {
        reason = QString::fromStdString(problem);
        return false;
    }
    options.Port = static_cast<quint16>(settings.Port);
    options.Lease = std::chrono::seconds(settings.LeaseSeconds);
    options.Token = Token(reason);
    if (options.Token.empty() || !server_.Start(options, reason)) {
        return false;
    }
    std::printf("control: %s\n", server_.Url().toLocal8Bit().constData());
    std::fflush(stdout);
    return true;
}

bool RemoteControl::StartForRun(int port, QString& reason) {
    ControlSettings settings = Saved();
    settings.Port = port;
    return Start(settings, reason);
}

void RemoteControl::StartIfSaved() {
    const ControlSettings settings = Saved();
    QString reason;
    if (settings.Enabled && !Start(settings, reason)) {
        std::fprintf(stderr, "keyvane: remote control: %s\n", reason.toLocal8Bit().constData());
    }
}

bool RemoteControl::Apply(const ControlSettings& settings, QString& reason) {
    QSettings conf(ConfFile(folder_), QSettings::IniFormat);
    conf.beginGroup(QStringLiteral("control"));
    conf.setValue(QStringLiteral("enabled"), settings.Enabled);
    conf.setValue(QStringLiteral("address"), QString::fromStdString(settings.Address));
    conf.setValue(QStringLiteral("port"), settings.Port);
    conf.setValue(QStringLiteral("lease_seconds"), settings.LeaseSeconds);
    conf.endGroup();
    conf.sync();
    if (conf.status() != QSettings::NoError) {
        reason = QStringLiteral("cannot write %1").arg(ConfFile(folder_));
        return false;
    }
    if (!settings.Enabled) {
        server_.Stop();
        return true;
    }
    return Start(settings, reason);
}

std::string RemoteControl::Token(QString& reason) const {
    std::string why;
    std::string token = LoadOrCreateToken(folder_, why);
    reason = QString::fromStdString(why);
    return token;
}

bool RemoteControl::NewToken(QString& reason) {
    std::string why;
    const std::string token = kv::remote::NewToken(why);
    if (token.empty() || !SaveToken(folder_, token, why)) {
        reason = QString::fromStdString(why);
        return false;
    }
    server_.SetToken(token);  // the old token stops working at once
    return true;
}

}  // namespace kv::remote
