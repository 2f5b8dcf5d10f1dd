#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "dialogs/button_label.h"
#include "state/services.h"

class QLineEdit;

namespace kv {

// frmButtonLabel on Qt: created for one use, in one-button or all-buttons mode.
class ButtonLabelView : public QDialog {
public:
    ButtonLabelView(Services& s, QWidget* parent, const std::string& tag);

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Ok();

    Services& s_;
    ButtonLabelDialog d_;
    std::vector<QLineEdit*> line1_;  // txtLine1
    std::vector<QLineEdit*> line2_;  // txtLine2
};

// Tag "9999": every button; otherwise the 0-based index of one button, as decimal text.
void OpenButtonLabelDialog(Services& s, QWidget* parent, const std::string& tag);

}  // namespace kv
