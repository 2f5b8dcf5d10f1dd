#include <QApplication>
#include <QFont>
#include <QTimer>

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

    // The files beside the program, wherever it was started from.
    const std::string programDirectory = kv::RunningProgramDirectory();

    kv::IntercVariables v;
    kv::MainWindowView w;
    kv::platform::QtSocket socket;
    kv::PanelContext ctx{v, w, socket};
    kv::platform::QtMessageBox box;
    kv::platform::QtHelpViewer help(programDirectory);
    kv::Services services{ctx, box, help};

    kv::MainWindow window(services, programDirectory);
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.Load(); });
    return app.exec();
}
