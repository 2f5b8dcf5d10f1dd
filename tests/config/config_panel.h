#pragma once

#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>

#include "config/ini_file.h"
#include "config/program_setup.h"
#include "diag/error_log.h"
#include "temp_dir.h"

// A panel from program setup in its own program directory, with its configuration file.
struct ConfigPanel {
    TempDir dir;
    kv::IntercVariables v;
    kv::MainWindowView w;

    ConfigPanel() { kv::ProgramSetup(v, w, dir.dir()); }

    bool Read(std::initializer_list<std::string> lines) {
        dir.Write(kv::kIniFileName, Crlf(lines));
        return kv::ReadIniFile(v, w);
    }
    bool ReadData(const std::string& name) {
        std::ifstream in(std::string(KEYVANE_INI_DATA) + name, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
        dir.Write(kv::kIniFileName, bytes);
        return kv::ReadIniFile(v, w);
    }
    std::string Ini() const { return dir.Read(kv::kIniFileName); }
    std::string Log() const { return dir.Read(kv::kErrorLogName); }
    int LogEntries(const std::string& text) const {
        const std::string log = Log();
        int count = 0;
        for (auto at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) {
            ++count;
        }
        return count;
    }

    static std::string Crlf(std::initializer_list<std::string> lines) {
        std::string text;
        for (const std::string& line : lines) {
            text += line + "\r\n";
        }
        return text;
    }
};
