#include <QApplication>
#include <QFont>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "app/command_line.h"
#include "app/quit_signals.h"
#include "app/single_instance.h"
#include "base/file_places.h"
#include "base/program_directory.h"
#include "hotkeys/call_notice_view.h"
#include "hotkeys/hotkeys_view.h"
#include "panel/main_window_view.h"
#include "platform/qt_help_viewer.h"
#include "platform/qt_message_box.h"
#include "platform/qt_socket.h"
#include "remote/remote_control_view.h"
#include "state/interc_variables.h"
#include "state/services.h"
#include "state/view_state.h"

namespace {

QStringList Arguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments += QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

int Fail(const std::string& message, int status) {
    std::fprintf(stderr, "keyvane: %s\n", message.c_str());
    return status;
}

// Started from a menu nobody reads standard error: the reason goes to a box as well.
int FailInBox(const std::string& message) {
    Fail(message, 1);
    QMessageBox::critical(nullptr, QStringLiteral("Keyvane"), QString::fromStdString(message));
    return 1;
}

const char* const kNoFolder =
    "no folder for the configuration: set HOME or start with --config DIR";

// The folders of an installed panel or of --config, made owner-only where missing.
std::string MakeFolders(const kv::FilePlaces& places, bool configOption) {
    if (places.ConfigFolder.empty() || places.LogFolder.empty()) {
        return kNoFolder;
    }
    std::string reason;
    for (const std::string& folder : {places.ConfigFolder, places.LogFolder}) {
        if ((places.Installed || configOption) && !kv::MakePrivateFolder(folder, reason)) {
            return reason;
        }
    }
    return {};
}

}  // namespace

int main(int argc, char* argv[]) {
    // Read before the window system is touched: --help and --version need no display.
    const kv::CommandLine line = kv::ReadCommandLine(Arguments(argc, argv));
    if (!line.Error.isEmpty()) {
        return Fail(line.Error.toStdString() + "\nTry 'keyvane --help' for more information.", 2);
    }
    if (line.Version) {
        std::printf("keyvane %s\n", KEYVANE_VERSION);
        return 0;
    }

    // Wherever it was started from: beside the program, the user's own folders, or --config.
    const std::string programDirectory = kv::RunningProgramDirectory();
    const kv::FilePlaces places =
        kv::ChoosePlaces(kv::ReadPlaceFacts(programDirectory, line.ConfigFolder));
    if (line.Help) {
        const std::string files =
            places.ConfigFolder.empty()
                ? kNoFolder
                : kv::FilesInUseText(places.ConfigFolder, places.LogFolder, places.HelpFolder);
        std::fputs(kv::HelpText(line, files).toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    // Where Courier New is missing, its metric twin keeps the captions' layout.
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    const std::string problem = MakeFolders(places, line.ConfigFolder.has_value());
    if (!problem.empty()) {
        return FailInBox(problem);
    }

    kv::SingleInstance instance(places.ConfigFolder);
    switch (instance.TakeOrHandOver()) {
        case kv::SingleInstance::Claim::Taken:
            break;
        case kv::SingleInstance::Claim::HandedOver:
            return 0;
        case kv::SingleInstance::Claim::Refused:
            return FailInBox("another panel uses " + places.ConfigFolder + " and does not answer");
    }

    kv::IntercVariables v;
    kv::MainWindowView w;
    kv::platform::QtSocket socket;
    kv::PanelContext ctx{v, w, socket};
    kv::platform::QtMessageBox box;
    kv::platform::QtHelpViewer help(programDirectory, places.HelpFolder);
    kv::Services services{ctx, box, help};

    kv::MainWindow window(services, programDirectory, places);
    kv::HotkeysView hotkeys(services, window, places.ConfigFolder + "keyvane.conf");
    kv::CallNoticeView notices(ctx, window);
    instance.OnActivate([&window] {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
        window.raise();
        window.activateWindow();
    });
    // The control API, on for this run by --control-port or by the operator's saved choice.
    kv::remote::RemoteControl remote(
        ctx, window, places.ConfigFolder.empty() ? programDirectory : places.ConfigFolder);
    if (line.ControlPort) {
        QString reason;
        if (!remote.StartForRun(*line.ControlPort, reason)) {
            return FailInBox("remote control: " + reason.toStdString());
        }
    } else {
        remote.StartIfSaved();
    }
    kv::QuitSignals quitSignals([&window] { window.close(); });
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.Load(); });
    return app.exec();
}
