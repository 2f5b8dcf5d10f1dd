#include <QApplication>
#include <QFont>
#include <QTimer>
#include <cstdio>

#include "base/file_places.h"
#include "base/program_directory.h"
#include "panel/main_window_view.h"
#include "platform/qt_help_viewer.h"
#include "platform/qt_message_box.h"
#include "platform/qt_socket.h"
#include "state/interc_variables.h"
#include "state/services.h"
#include "state/view_state.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Where Courier New is missing, its metric twin keeps the captions' layout.
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));

    // Wherever it was started from: beside the program, or the user's own folders.
    const std::string programDirectory = kv::RunningProgramDirectory();
    const kv::FilePlaces places =
        kv::ChoosePlaces(kv::ReadPlaceFacts(programDirectory, std::nullopt));
    for (const std::string& folder : {places.ConfigFolder, places.LogFolder}) {
        std::string reason;
        if (places.Installed && !kv::MakePrivateFolder(folder, reason)) {
            std::fprintf(stderr, "keyvane: %s\n", reason.c_str());
            return 1;
        }
    }

    kv::IntercVariables v;
    kv::MainWindowView w;
    kv::platform::QtSocket socket;
    kv::PanelContext ctx{v, w, socket};
    kv::platform::QtMessageBox box;
    kv::platform::QtHelpViewer help(programDirectory, places.HelpFolder);
    kv::Services services{ctx, box, help};

    kv::MainWindow window(services, programDirectory, places);
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.Load(); });
    return app.exec();
}
