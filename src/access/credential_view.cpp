#include "access/credential_view.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "access/dialog_geometry.h"
#include "base/layout_units.h"
#include "base/qt_text.h"
#include "config/ini_file.h"

using kv::FocusTarget;
using kv::Place;
using kv::platform::FromQt;
using kv::platform::ToQt;

namespace {

QGroupBox* NewFrame(QWidget* parent, const char* name, const char* caption, int top, int height) {
    auto* frame = new QGroupBox(QString::fromLatin1(caption), parent);
    frame->setObjectName(QString::fromLatin1(name));
    Place(frame, 120, top, 4455, height);
    return frame;
}

// One label and its box in a frame's row.
QLineEdit* NewRow(QGroupBox* frame, const char* label, const char* text, const char* box, int top,
                  bool masked) {
    // Wide enough for "Confirm Password" in the desktop's font.
    QLineEdit* edit = NewTextBox(frame, box, 1995, top, masked, 2280);
    NewLabel(frame, label, text, 180, top + 45, edit, 1785);
    return edit;
}

}  // namespace

CredentialView::CredentialView(kv::Services& s, QWidget* parent) : QDialog(parent), s_(s) {
    setObjectName(QStringLiteral("frmIntercPassword"));
    setWindowTitle(QStringLiteral("Password and User Information"));
    SetFixedDialog(this, 4695, 5010);

    QGroupBox* existing = NewFrame(this, "Frame1", "Existing Information", 105, 1575);
    userName_ = NewRow(existing, "Label4", "User Name", "txtUserName", 345, false);
    oldPassword_ = NewRow(existing, "Label5", "Password", "txtOldPassword", 915, true);

    QGroupBox* fresh = NewFrame(this, "frmNewPassIfo", "New Information", 1800, 2265);
    newUserName_ = NewRow(fresh, "Label3", " User Name", "txtNewUserName", 345, false);
    newPassword_ = NewRow(fresh, "Label1", "New Password", "txtNewPassword", 915, true);
    confirmPassword_ =
        NewRow(fresh, "Label2", "Confirm Password", "txtConfirmPassword", 1485, true);

    auto* ok = NewButton(this, "cmdOk", "OK", 720, 4305);
    ok->setDefault(true);
    auto* cancel = NewButton(this, "cmdCancel", "Cancel", 2580, 4305);
    connect(ok, &QPushButton::clicked, this, [this] { Ok(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
}

void CredentialView::Open() {
    kv::ActivateCredential(s_.ctx.v, d_);
    Render();
    CenterOnScreen(this);
    exec();
}

void CredentialView::Ok() {
    d_.UserNameText = FromQt(userName_->text());
    d_.OldPasswordText = FromQt(oldPassword_->text());
    d_.NewUserNameText = FromQt(newUserName_->text());
    d_.NewPasswordText = FromQt(newPassword_->text());
    d_.ConfirmPasswordText = FromQt(confirmPassword_->text());
    kv::CredentialOk(s_.ctx.v, s_.box, d_, kv::WriteIniFile);
    Render();
}

void CredentialView::reject() {
    kv::CredentialCancel(d_);
    Render();
}

void CredentialView::Render() {
    if (!d_.Visible) {
        done(QDialog::Accepted);
        return;
    }
    userName_->setText(ToQt(d_.UserNameText));
    oldPassword_->setText(ToQt(d_.OldPasswordText));
    newUserName_->setText(ToQt(d_.NewUserNameText));
    newPassword_->setText(ToQt(d_.NewPasswordText));
    confirmPassword_->setText(ToQt(d_.ConfirmPasswordText));
    QLineEdit* target = d_.Focus.Target == FocusTarget::OldPassword   ? oldPassword_
                        : d_.Focus.Target == FocusTarget::NewUserName ? newUserName_
                        : d_.Focus.Target == FocusTarget::NewPassword ? newPassword_
                                                                      : nullptr;
    ApplyFocus(target, d_.Focus);
}
