#pragma once

#include <QDialog>
#include <string>

#include "config/setup_window.h"
#include "state/services.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kv {

class ValueEntryView;

// frmIntercFile on Qt: created once by the main window, shown modal for each opening.
class SetupWindowView : public QDialog {
public:
    SetupWindowView(Services& s, QWidget* parent);

    // Sets the tag and runs modal; returns once Ok or Cancel has hidden the window.
    void Open(const std::string& tag);

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Activate();
    void Collect();
    void Ok();
    void OpenValueEntry(const char* mode);
    void Render();

    Services& s_;
    SetupWindow f_;
    ValueEntryView* valueEntry_ = nullptr;  // created on first use
    QLineEdit* address_ = nullptr;          // txtIPAddr
    QLineEdit* port_ = nullptr;             // txtIPPort
    QComboBox* outputs_ = nullptr;          // cmboOutputSelect
    QComboBox* inputs_ = nullptr;           // cmboInputSelect
    QCheckBox* stayOnTop_ = nullptr;        // chkStayOnTop
};

}  // namespace kv
