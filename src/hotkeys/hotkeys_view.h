#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "hotkeys/hotkey_bindings.h"
#include "hotkeys/x11_hotkey_grab_view.h"
#include "state/services.h"

namespace kv {

class MainWindow;

// The hotkeys of a running panel: read from keyvane.conf at start, grabbed from the whole
// desktop where the window system allows it, and otherwise taken while the panel window
// has the focus. Each key presses its control as long as it is held.
class HotkeysView : public QObject {
public:
    HotkeysView(Services& s, MainWindow& window, std::string settingsFile);
    ~HotkeysView() override;

    const HotkeyBindings& Bindings() const { return bindings_; }
    // Keeps the bindings in the settings file and takes them up; false with the reason when
    // the file could not be written (they are taken up all the same).
    bool Apply(const HotkeyBindings& bindings, std::string& reason);

    // What works on this desktop, in plain words.
    QString Reach() const;
    // Why each control's binding does not work, if it does not (taken by another program).
    const std::map<int, std::string>& Refused() const { return refused_; }
    // Problems met in the settings file, one line each.
    const std::vector<std::string>& Problems() const { return problems_; }

    // The Hotkeys dialog, modal; OK keeps and takes up what it holds.
    void OpenDialog();

    // While the Hotkeys dialog takes a key, the keys press nothing and are not grabbed.
    void Pause(bool paused);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TakeUp();
    void Press(int control);
    void Release(int control);
    void LetGo();
    void AskForPortal();

    Services& s_;
    MainWindow& window_;
    std::string settingsFile_;
    HotkeyBindings bindings_;
    X11HotkeyGrab grab_;
    std::map<int, std::string> refused_;
    std::vector<std::string> problems_;
    std::map<int, int> focusHeld_;  // Qt key held in the panel window -> its control
    bool paused_ = false;
    bool closed_ = false;
    bool portal_ = false;  // the desktop offers global shortcuts (Wayland)
};

}  // namespace kv
