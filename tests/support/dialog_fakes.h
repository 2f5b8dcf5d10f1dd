#pragma once

#include <string>
#include <vector>

#include "config/program_setup.h"
#include "fake_socket.h"
#include "state/help_viewer.h"
#include "state/message_box.h"
#include "state/services.h"
#include "temp_dir.h"

// Recording stand-ins for the message box and the help viewer, and a panel made by program setup.

class RecordingBox : public kv::platform::MessageBox {
public:
    struct Shown {
        std::string Text;
        std::string Title;
        kv::platform::MessageIcon Icon;
    };
    std::vector<Shown> Boxes;
    void Show(const std::string& text, const std::string& title,
              kv::platform::MessageIcon icon) override {
        Boxes.push_back({text, title, icon});
    }
    std::string Titles() const {
        std::string all;
        for (const Shown& b : Boxes) {
            all += "[" + b.Title + "]";
        }
        return all;
    }
};

class RecordingHelp : public kv::platform::HelpViewer {
public:
    std::vector<int> Topics;
    bool Available = true;
    bool ShowContents(std::string&) override { return Available; }
    bool ShowTopic(int topic, std::string& reason) override {
        Topics.push_back(topic);
        if (!Available) {
            reason = "no help viewer";
        }
        return Available;
    }
    void Quit() override {}
};

struct TestPanel {
    TempDir dir;
    kv::IntercVariables v;
    kv::MainWindowView w;
    FakeSocket socket;
    RecordingBox box;
    RecordingHelp help;
    kv::Services s{{v, w, socket}, box, help};

    TestPanel() { kv::ProgramSetup(v, w, dir.dir()); }

    // Output tables as the server's alpha table leaves them: names sorted, numbers apart.
    void SetOutputs(const std::vector<std::string>& names, const std::vector<int16_t>& numbers) {
        v.OutputNames = names;
        v.OutputNumbers = numbers;
        v.OutputIndexes.assign(numbers.size(), 0);
        for (std::size_t p = 0; p < numbers.size(); ++p) {
            v.OutputIndexes[static_cast<std::size_t>(numbers[p])] = static_cast<int16_t>(p);
        }
        v.NumOutputs = static_cast<int16_t>(names.size());
        v.AssignedOutputIndex = v.OutputIndexes[static_cast<std::size_t>(v.AssignedOutput)];
    }
    void SetInputs(const std::vector<std::string>& names, const std::vector<int16_t>& numbers) {
        v.InputNames = names;
        v.InputNumbers = numbers;
        v.InputIndexes.assign(numbers.size(), 0);
        for (std::size_t p = 0; p < numbers.size(); ++p) {
            v.InputIndexes[static_cast<std::size_t>(numbers[p])] = static_cast<int16_t>(p);
        }
        v.NumInputs = static_cast<int16_t>(names.size());
        v.AssignedInputIndex = v.InputIndexes[static_cast<std::size_t>(v.AssignedInput)];
    }
    // Connected to a server with three outputs and three inputs whose names sort apart from their
    // numbers.
    void ConnectWithTables() {
        v.PollSent = kv::kTrue;
        v.Connected = kv::kTrue;
        v.AssignedOutput = 0;
        v.AssignedInput = 2;
        SetOutputs({"Alpha", "Bravo", "Charlie"}, {2, 0, 1});
        SetInputs({"Desk", "Mic A", "Studio"}, {1, 2, 0});
        w.StationRows = {"Alpha", "Bravo", "Charlie"};
    }
    std::string Log() const { return dir.Read("Errorlog.txt"); }
};
