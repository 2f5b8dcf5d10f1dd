#pragma once

#include <sstream>
#include <string>

#include "config/program_setup.h"
#include "fake_socket.h"
#include "temp_dir.h"

// A panel fresh from program setup in its own program directory, its socket a fake.
struct SetUpPanel {
    TempDir dir;
    kv::IntercVariables v;
    kv::MainWindowView w;
    FakeSocket socket;

    SetUpPanel() { kv::ProgramSetup(v, w, dir.dir()); }
    std::string Log() const { return dir.Read("Errorlog.txt"); }
    // Entries of the error log whose text contains what; every entry by default.
    int LogCount(const std::string& what = ": Error # ") const {
        std::istringstream lines(Log());
        int n = 0;
        for (std::string line; std::getline(lines, line);) {
            n += line.find(what) != std::string::npos ? 1 : 0;
        }
        return n;
    }
};
