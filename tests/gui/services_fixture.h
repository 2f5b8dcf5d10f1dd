#pragma once

#include <QWidget>
#include <string>

#include "config/program_setup.h"
#include "fake_socket.h"
#include "platform/qt_message_box.h"
#include "state/services.h"
#include "temp_dir.h"

// Unused by these dialogs, but part of the services they are given.
class NoHelp : public kv::platform::HelpViewer {
public:
    bool ShowContents(std::string&) override { return false; }
    bool ShowTopic(int, std::string&) override { return false; }
    void Quit() override {}
};

// The state after program setup in a temporary program directory, the real message box.
struct DialogServices {
    TempDir dir;
    kv::IntercVariables v;
    kv::MainWindowView w;
    FakeSocket socket;
    kv::PanelContext ctx{v, w, socket};
    kv::platform::QtMessageBox box;
    NoHelp help;
    kv::Services s{ctx, box, help};
    QWidget owner;

    DialogServices() { kv::ProgramSetup(v, w, dir.dir()); }
};
