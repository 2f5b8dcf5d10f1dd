#include "access/login_view.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "access/dialog_geometry.h"
#include "base/qt_text.h"

using kv::FocusTarget;
using kv::platform::FromQt;
using kv::platform::ToQt;

LoginView::LoginView(kv::Services& s, QWidget* parent) : QDialog(parent), s_(s) {
    setObjectName(QStringLiteral("frmIntercLogin"));
    setWindowTitle(QStringLiteral("User Login"));
    SetFixedDialog(this, 3750, 1545);

    userName_ = NewTextBox(this, "txtUserName", 1290, 135, false);
    password_ = NewTextBox(this, "txtPassword", 1290, 525, true);
    NewLabel(this, "lblLabels0", "&User Name:", 105, 150, userName_, 1080);
    NewLabel(this, "lblLabels1", "&Password:", 105, 540, password_, 1080);

    auto* ok = NewButton(this, "cmdOk", "OK", 495, 1020);
    ok->setDefault(true);
    cancel_ = NewButton(this, "cmdCancel", "Cancel", 2100, 1020);
    connect(ok, &QPushButton::clicked, this, [this] { Ok(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
}

void LoginView::Open(const std::string& tag) {
    d_.Tag = tag;
    kv::ActivateLogin(s_.ctx.v, d_);
    Render();
    CenterOnScreen(this);
    exec();
}

void LoginView::Ok() {
    Collect();
    kv::LoginOk(s_.ctx.v, s_.box, d_);
    Render();
}

void LoginView::reject() {
    Collect();
    kv::LoginCancel(s_.ctx.v, d_);
    Render();
}

void LoginView::closeEvent(QCloseEvent* event) {
    if (isVisible() && d_.Visible) {
        Collect();
        kv::LoginFrameClose(s_.ctx.v, s_.box, d_);
        Render();
        if (d_.Visible) {
            // A first entry the file cannot hold stays open to be corrected.
            event->ignore();
            return;
        }
    }
    event->accept();
}

void LoginView::Collect() {
    d_.UserNameText = FromQt(userName_->text());
    d_.PasswordText = FromQt(password_->text());
}

void LoginView::Render() {
    if (!d_.Visible) {
        done(QDialog::Accepted);
        return;
    }
    userName_->setText(ToQt(d_.UserNameText));
    password_->setText(ToQt(d_.PasswordText));
    cancel_->setEnabled(d_.CancelEnabled);
    QLineEdit* target = d_.Focus.Target == FocusTarget::UserName   ? userName_
                        : d_.Focus.Target == FocusTarget::Password ? password_
                                                                   : nullptr;
    ApplyFocus(target, d_.Focus);
}
