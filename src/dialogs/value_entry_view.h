#pragma once

#include <QDialog>
#include <string>

#include "dialogs/value_entry.h"
#include "state/services.h"

class QGroupBox;
class QLabel;
class QLineEdit;

namespace kv {

// frmIntercRefresh on Qt: created once, shown again for each mode word.
class ValueEntryView : public QDialog {
public:
    ValueEntryView(Services& s, QWidget* parent);

    // Activates for the mode and runs modal until a valid Ok or Cancel.
    void Open(const std::string& mode);

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Ok();
    void Render();

    Services& s_;
    ValueEntryDialog d_;
    QLabel* label_ = nullptr;
    QLineEdit* text_ = nullptr;
    QGroupBox* helpFrame_ = nullptr;
    QLabel* prompt_ = nullptr;
};

}  // namespace kv
