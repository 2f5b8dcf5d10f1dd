#pragma once

#include <QDialog>

#include "dialogs/button_programming.h"
#include "state/services.h"

class QButtonGroup;
class QComboBox;
class QPushButton;

namespace kv {

// frmButtonProgramming on Qt: created for one use by the setup window.
class ButtonProgrammingView : public QDialog {
public:
    ButtonProgrammingView(Services& s, QWidget* parent);

    void reject() override;

private:
    void Render();

    Services& s_;
    ButtonProgrammingDialog d_;
    QComboBox* buttons_ = nullptr;
    QButtonGroup* types_ = nullptr;
    QComboBox* inputs_ = nullptr;
    QComboBox* outputs_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// Loads the dialog on the button table and runs it modal.
void OpenButtonProgrammingDialog(Services& s, QWidget* parent);

}  // namespace kv
