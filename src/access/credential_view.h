#pragma once

#include <QDialog>

#include "access/credential_dialog.h"
#include "state/services.h"

class QLineEdit;

// frmIntercPassword on Qt: created once, refilled on every showing.
class CredentialView : public QDialog {
public:
    CredentialView(kv::Services& s, QWidget* parent);

    // Refills the boxes and runs modal until the dialog closes.
    void Open();

    void reject() override;

private:
    void Ok();
    void Render();

    kv::Services& s_;
    kv::CredentialDialog d_;
    QLineEdit* userName_ = nullptr;
    QLineEdit* oldPassword_ = nullptr;
    QLineEdit* newUserName_ = nullptr;
    QLineEdit* newPassword_ = nullptr;
    QLineEdit* confirmPassword_ = nullptr;
};
