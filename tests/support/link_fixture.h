#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "config/program_setup.h"
#include "fake_socket.h"
#include "state/panel_context.h"
#include "temp_dir.h"

// A panel fresh from program setup in its own directory, on a fake socket.
class LinkTest : public ::testing::Test {
protected:
    LinkTest() {
        kv::ProgramSetup(v, w, dir.dir());
        v.SocketConnected = kv::kTrue;
    }

    // Entries of the error log whose text contains what.
    int LogCount(const std::string& what) const {
        std::istringstream lines(dir.Read("Errorlog.txt"));
        int n = 0;
        for (std::string line; std::getline(lines, line);) {
            n += line.find(what) != std::string::npos ? 1 : 0;
        }
        return n;
    }
    int LogEntries() const { return LogCount(": Error # "); }

    std::vector<uint8_t> Live() const {
        return {v.ReceiveBuffer.Data.begin() + static_cast<std::ptrdiff_t>(v.ReceiveBuffer.Start),
                v.ReceiveBuffer.Data.end()};
    }

    TempDir dir;
    kv::IntercVariables v;
    kv::MainWindowView w;
    FakeSocket socket;
    kv::PanelContext c{v, w, socket};
};
