#pragma once

#include <QDialog>
#include <string>

#include "access/login_dialog.h"
#include "state/services.h"

class QLineEdit;
class QPushButton;

// frmIntercLogin on Qt: created once, refilled on every showing.
class LoginView : public QDialog {
public:
    LoginView(kv::Services& s, QWidget* parent);

    // Sets the mode tag, refills the boxes and runs modal until the dialog closes.
    void Open(const std::string& tag);

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Ok();
    void Collect();
    void Render();

    kv::Services& s_;
    kv::LoginDialog d_;
    QLineEdit* userName_ = nullptr;
    QLineEdit* password_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
