#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "hotkeys/hotkey_bindings.h"

class QLabel;
class QPushButton;

namespace kv {

// The Hotkeys dialog: a row per control; press the row's key button, then the wanted key.
// A key bound elsewhere is named and not taken; Clear unbinds the row. OK keeps the bindings.
class HotkeysDialog : public QDialog {
public:
    struct Facts {
        HotkeyBindings Bindings;
        std::array<std::string, kPanelControls> Rows;  // RowLabel of each control
        QString Reach;                                 // what works on this desktop
        std::map<int, std::string> Refused;            // bindings the desktop refused
        std::vector<std::string> Problems;             // lines of keyvane.conf not taken
    };

    HotkeysDialog(Facts facts, QWidget* parent = nullptr);

    const HotkeyBindings& Bindings() const { return bindings_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Capture(int control);
    void Take(int control, const QString& text);
    void Show(int control);

    HotkeyBindings bindings_;
    std::map<int, std::string> refused_;
    std::array<QPushButton*, kPanelControls> keys_{};
    std::array<QLabel*, kPanelControls> notes_{};
    QLabel* message_ = nullptr;
    int capturing_ = -1;  // the row waiting for its key
};

}  // namespace kv
