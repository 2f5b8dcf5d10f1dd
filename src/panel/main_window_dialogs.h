#pragma once

#include <string>

// The main window's side of its modal windows: the logic asks, the Qt window opens
// them and returns when they close. Tests record the calls.

namespace kv {

class MainWindowDialogs {
public:
    virtual ~MainWindowDialogs() = default;

    // Creates the other windows, hidden, once at start-up after program setup.
    virtual void LoadWindows() = 0;
    // Shows what a socket event changed.
    virtual void AfterSocketEvent() = 0;
    // Applies MainWindowView::WindowOrder to the real window now.
    virtual void ApplyWindowOrder() = 0;
    // Shows the whole view state now, before a modal window takes over the event loop.
    virtual void ShowPanel() = 0;

    virtual void OpenLogin(const std::string& tag) = 0;
    virtual void OpenCredential() = 0;
    virtual void OpenSetup(const std::string& tag) = 0;
    virtual void OpenAbout() = 0;
    // The caption editor, created for this use; the tag is a button index or a mode word.
    virtual void OpenButtonLabel(const std::string& tag) = 0;

    // Closes every window of the program, the last opened first; the program then ends.
    virtual void UnloadAll() = 0;
};

}  // namespace kv
