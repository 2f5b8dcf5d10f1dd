#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/file_places.h"
#include "panel/held_keys.h"
#include "panel/main_window_dialogs.h"
#include "panel/panel_speech.h"
#include "state/services.h"

class ColourButton;
class ClickBox;
class StationCombo;
class QLabel;
class QMenu;
class QAction;
class QStringListModel;
class LoginView;
class CredentialView;
class AboutView;

namespace kv {

class SetupWindowView;

// frmIntercMain: the panel window. It forwards its events to the logic and shows
// MainWindowView after each of them. Its controls carry their names as object names.
class MainWindow : public QMainWindow, public MainWindowDialogs {
public:
    MainWindow(Services& s, std::string programDirectory, QWidget* parent = nullptr);
    MainWindow(Services& s, std::string programDirectory, FilePlaces places,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window's load: program setup, configuration, link. Runs once, after show().
    void Load();

    // Shows the view state; touches only widgets whose value changed.
    void Render();

    // For inputs of our own beside the window's (remote control, hotkeys):
    // a File menu entry behind the setup password, opened outside keep-on-top.
    void AddGuardedFileEntry(const QString& text, std::function<void()> open);
    // An outside input changed the state: show it as after any event of the window.
    void AfterOutsideEvent() { AfterEvent(); }
    // Called after each render, for those who report what the operator sees.
    void OnRendered(std::function<void()> observer) {
        rendered_observers_.push_back(std::move(observer));
    }

    // MainWindowDialogs
    void LoadWindows() override;
    void AfterSocketEvent() override;
    void ApplyWindowOrder() override;
    void ShowPanel() override { Render(); }
    void OpenLogin(const std::string& tag) override;
    void OpenCredential() override;
    void OpenSetup(const std::string& tag) override;
    void OpenAbout() override;
    void OpenButtonLabel(const std::string& tag) override;
    void UnloadAll() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildPanel();
    void BuildMenus();
    void AfterEvent();
    void RenderStations();
    void RenderSpeech();
    void HoldByKeyboard(ColourButton* button, int control);

    QMenu* file_ = nullptr;
    QAction* fileSeparator_ = nullptr;
    std::vector<std::function<void()>> rendered_observers_;

    Services& s_;
    std::string programDirectory_;
    FilePlaces places_;
    std::array<ColourButton*, 8> buttons_{};
    ColourButton* answer_ = nullptr;
    ColourButton* take_ = nullptr;
    ClickBox* preset_ = nullptr;
    ClickBox* input_ = nullptr;
    StationCombo* station_ = nullptr;
    QPointer<QWidget> focusBeforeStations_;
    QStringListModel* stationModel_ = nullptr;
    QLabel* status1_ = nullptr;
    QLabel* status2_ = nullptr;
    HeldKeys digits_;      // the digits 1 to 8 hold their keys
    QTimer decode_{this};  // tmrDecode
    QTimer poll_{this};    // tmrPoll

    CredentialView* credential_ = nullptr;
    LoginView* login_ = nullptr;
    SetupWindowView* setup_ = nullptr;
    AboutView* about_ = nullptr;

    // What is on the screen now, to skip unchanged widgets.
    MainWindowView shown_;
    uint32_t shownRevision_ = 0;
    PanelSpeech spoken_;
    bool speechRendered_ = false;
    bool rendered_ = false;
    bool unloading_ = false;
};

}  // namespace kv
