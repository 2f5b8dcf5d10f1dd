#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "config/ini_file.h"
#include "diag/error_log.h"
#include "dialog_fakes.h"

// A panel from program setup in its own program directory, with its configuration file.
struct ConfigPanel : TestPanel {
    // Lines separated by '\n', written with CR LF; a name ending in ".ini" is a test data file.
    bool Read(const std::string& text) {
        std::string bytes;
        if (text.ends_with(".ini")) {
            std::ifstream in(std::string(KEYVANE_INI_DATA) + text, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        } else {
            for (const char c : text + "\n") {
                bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
            }
        }
        dir.Write(kv::kIniFileName, bytes);
        return kv::ReadIniFile(v, w);
    }
    std::string Ini() const { return dir.Read(kv::kIniFileName); }

    // Every setting by a short name ("b3.caption" for button 3), so that a table row can name
    // what it expects.
    std::map<std::string, std::string> Settings() const {
        using std::to_string;
        const char* names[] = {"port",  "out",  "outIdx", "in",      "inIdx",
                               "count", "top",  "order",  "refresh", "timeout",
                               "flash", "hang", "tick",   "ticks",   "poll"};
        const long long numbers[] = {v.IPPort,        v.AssignedOutput,     v.AssignedOutputIndex,
                                     v.AssignedInput, v.AssignedInputIndex, v.ButtonCount,
                                     v.StayOnTop,     w.WindowOrder,        v.RefreshRate,
                                     v.TimeOut,       v.FlashRate,          v.OverHang,
                                     v.TickInterval,  v.TicksPerPoll,       w.PollInterval};
        std::map<std::string, std::string> s = {{"addr", v.IPAddress},
                                                {"user", v.UserName},
                                                {"pw", v.Password},
                                                {"buttons", to_string(v.ButtonTable.size())},
                                                {"labels", to_string(v.ButtonLabels.size())}};
        for (std::size_t i = 0; i < std::size(names); ++i) {
            s[names[i]] = to_string(numbers[i]);
        }
        for (std::size_t i = 0; i < v.ButtonTable.size(); ++i) {
            const std::string b = "b" + to_string(i) + ".";
            s[b + "type"] = to_string(v.ButtonTable[i].Type);
            s[b + "first"] = to_string(v.ButtonTable[i].First);
            s[b + "list"] = to_string(v.ButtonTable[i].ListCount);
        }
        for (std::size_t i = 0; i < w.Buttons.size(); ++i) {
            const std::string b = "b" + to_string(i) + ".";
            s[b + "caption"] = w.Buttons[i].Caption;
            s[b + "grey"] = w.Buttons[i].BackColour == kv::kInactiveColour ? "yes" : "no";
            s[b + "line1"] = v.ButtonLabels.at(i).Line1;
        }
        return s;
    }
    // Checks each "name=value" of a list separated by ';'.
    void Expect(const std::string& expected) const {
        const auto s = Settings();
        std::istringstream items(expected);
        for (std::string item; std::getline(items, item, ';');) {
            const std::string name = item.substr(0, item.find('='));
            EXPECT_EQ(s.contains(name) ? s.at(name) : "(no such setting)",
                      item.substr(name.size() + 1));
        }
    }
};
