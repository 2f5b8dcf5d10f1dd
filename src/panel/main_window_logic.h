#pragma once

#include <functional>
#include <string>

#include "base/file_places.h"
#include "panel/main_window_dialogs.h"
#include "state/services.h"

// The main window's load, its menus and its unload.

namespace kv {

inline constexpr const char* kConfigErrorTitle = "Configuration Error";
inline constexpr const char* kConfigErrorText =
    "System Not Yet Configured.\r"
    "Please specify a User name and Password then specify the\r"
    "IP Address of the Computer running the Intercom Control";

// Start-up: program setup, the configuration file, then either the link or the
// first-start dialogs.
void MainWindowLoad(Services& s, MainWindowDialogs& dialogs, const std::string& programDirectory,
                    const FilePlaces& places = {});

// Opens the setup window; start-up and the Setup menu both come through here.
void OpenSetupWindow(MainWindowDialogs& dialogs);

void MenuSetupClick(Services& s, MainWindowDialogs& dialogs);
// A File menu entry of our own: the setup password first, as for Setup.
void MenuGuardedClick(Services& s, MainWindowDialogs& dialogs, const std::function<void()>& open);
void MenuPasswordClick(Services& s, MainWindowDialogs& dialogs);
void MenuAboutClick(Services& s, MainWindowDialogs& dialogs);
void MenuContentsClick(Services& s, MainWindowDialogs& dialogs);
void MenuExitClick(Services& s, MainWindowDialogs& dialogs);

// The operator closes the window: help is told first, then the program unloads.
void MainWindowUnload(Services& s, MainWindowDialogs& dialogs);

// Saves the configuration, stops the poll timer and closes every window.
void Unload_Program(Services& s, MainWindowDialogs& dialogs);

}  // namespace kv
