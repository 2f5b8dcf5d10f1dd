#include "panel/main_window_logic.h"

#include "config/ini_file.h"
#include "config/program_setup.h"
#include "diag/trap.h"
#include "link/connection.h"
#include "panel/control_holds.h"
#include "panel/socket_wiring.h"
#include "panel/window_order.h"

namespace kv {

void MainWindowLoad(Services& s, MainWindowDialogs& dialogs, const std::string& programDirectory,
                    const FilePlaces& places) {
    PanelContext& ctx = s.ctx;
    Trap(ctx.v, "Error Loading Form", "Program Error", [&] {
        ProgramSetup(ctx.v, ctx.w, programDirectory, places);
        dialogs.LoadWindows();
        SetUpSocket(ctx, [&dialogs] { dialogs.AfterSocketEvent(); });
        if (ReadIniFile(ctx.v, ctx.w)) {
            dialogs.ApplyWindowOrder();
            ctx.w.StatusPanel2 = "Server " + ctx.v.IPAddress;
            ConnectToServer(ctx);
            ctx.w.PollEnabled = true;
            return;
        }
        RunModal(ctx, dialogs, [&] {
            s.box.Show(kConfigErrorText, kConfigErrorTitle, platform::MessageIcon::Exclamation);
            dialogs.OpenLogin("new");
            OpenSetupWindow(dialogs);
        });
    });
}

void OpenSetupWindow(MainWindowDialogs& dialogs) {
    dialogs.OpenSetup("Initial");
}

void MenuSetupClick(Services& s, MainWindowDialogs& dialogs) {
    Trap(s.ctx.v, "Error Processing Menu Setup", "Program Error", [&] {
        RunModal(s.ctx, dialogs, [&] {
            dialogs.OpenLogin("");
            if (s.ctx.v.LoggedIn != kFalse) {
                OpenSetupWindow(dialogs);
            }
        });
    });
}

void MenuGuardedClick(Services& s, MainWindowDialogs& dialogs, const std::function<void()>& open) {
    RunModal(s.ctx, dialogs, [&] {
        dialogs.OpenLogin("");
        if (s.ctx.v.LoggedIn != kFalse) {
            open();
        }
    });
}

void MenuPasswordClick(Services& s, MainWindowDialogs& dialogs) {
    RunModal(s.ctx, dialogs, [&] { dialogs.OpenCredential(); });
}

void MenuAboutClick(Services& s, MainWindowDialogs& dialogs) {
    RunModal(s.ctx, dialogs, [&] { dialogs.OpenAbout(); });
}

void MenuContentsClick(Services& s, MainWindowDialogs& dialogs) {
    std::string reason;
    if (!s.help.ShowContents(reason)) {
        // Help is an aid: say why it is missing and carry on.
        RunModal(s.ctx, dialogs,
                 [&] { s.box.Show(reason, "Help", platform::MessageIcon::Exclamation); });
    }
}

void MenuExitClick(Services& s, MainWindowDialogs& dialogs) {
    MainWindowUnload(s, dialogs);
}

void MainWindowUnload(Services& s, MainWindowDialogs& dialogs) {
    s.help.Quit();
    Unload_Program(s, dialogs);
}

void Unload_Program(Services& s, MainWindowDialogs& dialogs) {
    // A key held while the panel closes has its break sent: no station stays live.
    ReleaseEveryHold(s.ctx);
    WriteIniFile(s.ctx.v);
    s.ctx.w.PollEnabled = false;
    dialogs.UnloadAll();
}

}  // namespace kv
