#include "remote/remote_dialog_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "remote/remote_control_view.h"

namespace kv::remote {
namespace {

QString Status(const RemoteControl& control) {
    const QString url = control.Url();
    return url.isEmpty() ? QStringLiteral("Off") : QStringLiteral("Listening at %1").arg(url);
}

}  // namespace

void OpenRemoteDialog(RemoteControl& control, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("frmRemoteControl"));
    dialog.setWindowTitle(QStringLiteral("Remote Control"));
    const ControlSettings saved = control.Saved();

    auto* enabled = new QCheckBox(QStringLiteral("&Enable remote control"), &dialog);
    enabled->setObjectName(QStringLiteral("chkEnabled"));
    enabled->setChecked(saved.Enabled);
    auto* address = new QLineEdit(QString::fromStdString(saved.Address), &dialog);
    address->setObjectName(QStringLiteral("txtAddress"));
    auto* port = new QLineEdit(QString::number(saved.Port), &dialog);
    port->setObjectName(QStringLiteral("txtPort"));
    port->setValidator(new QIntValidator(0, 65535, port));
    auto* lease = new QLineEdit(QString::number(saved.LeaseSeconds), &dialog);
    lease->setObjectName(QStringLiteral("txtLease"));
    lease->setValidator(new QIntValidator(kShortestLease, kLongestLease, lease));

    QString reason;
    auto* token = new QLineEdit(QString::fromStdString(control.Token(reason)), &dialog);
    token->setObjectName(QStringLiteral("txtToken"));
    token->setReadOnly(true);
    token->setMinimumWidth(token->fontMetrics().horizontalAdvance(QString(64, QLatin1Char('0'))));
    auto* copy = new QPushButton(QStringLiteral("&Copy"), &dialog);
    copy->setObjectName(QStringLiteral("cmdCopy"));
    auto* renew = new QPushButton(QStringLiteral("&New token"), &dialog);
    renew->setObjectName(QStringLiteral("cmdNewToken"));
    auto* tokenRow = new QHBoxLayout;
    tokenRow->addWidget(token);
    tokenRow->addWidget(copy);
    tokenRow->addWidget(renew);
    auto* status = new QLabel(Status(control), &dialog);
    status->setObjectName(QStringLiteral("lblStatus"));

    auto* form = new QFormLayout(&dialog);
    form->addRow(enabled);
    form->addRow(QStringLiteral("&Address:"), address);
    form->addRow(QStringLiteral("&Port:"), port);
    form->addRow(QStringLiteral("&Lease (seconds):"), lease);
    form->addRow(QStringLiteral("Token:"), tokenRow);
    form->addRow(QStringLiteral("Status:"), status);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    if (!reason.isEmpty()) {
        status->setText(reason);
    }

    QObject::connect(copy, &QPushButton::clicked, &dialog,
                     [token] { QApplication::clipboard()->setText(token->text()); });
    QObject::connect(renew, &QPushButton::clicked, &dialog, [&] {
        QString why;
        if (!control.NewToken(why)) {
            QMessageBox::warning(&dialog, dialog.windowTitle(), why);
            return;
        }
        token->setText(QString::fromStdString(control.Token(why)));
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        const SettingsForm typed{enabled->isChecked(), address->text().trimmed().toStdString(),
                                 port->text().toStdString(), lease->text().toStdString()};
        ControlSettings chosen;
        std::string problem =
            ReadForm(typed, !QHostAddress(address->text().trimmed()).isNull(), chosen);
        QString why = QString::fromStdString(problem);
        if (problem.empty() && control.Apply(chosen, why)) {
            dialog.accept();
            return;
        }
        QMessageBox::warning(&dialog, dialog.windowTitle(), why);
    });
    dialog.exec();
}

}  // namespace kv::remote
