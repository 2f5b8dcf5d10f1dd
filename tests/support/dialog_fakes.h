#pragma once

#include <string>
#include <vector>

#include "set_up_panel.h"
#include "state/help_viewer.h"
#include "state/message_box.h"
#include "state/services.h"

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

struct TestPanel : SetUpPanel {
    RecordingBox box;
    RecordingHelp help;
    kv::Services s{{v, w, socket}, box, help};

    // Connected to a server with three outputs and three inputs whose names sort apart from
    // their numbers, as the server's alpha tables leave them.
    void ConnectWithTables() {
        v.PollSent = v.Connected = kv::kTrue;
        v.AssignedOutput = 0;  // Bravo, at position 1
        v.AssignedInput = 2;   // Mic A, at position 1
        v.AssignedOutputIndex = v.AssignedInputIndex = 1;
        v.NumOutputs = v.NumInputs = 3;
        v.OutputNames = w.StationRows = {"Alpha", "Bravo", "Charlie"};
        v.OutputNumbers = {2, 0, 1};
        v.OutputIndexes = {1, 2, 0};  // the position of each number
        v.InputNames = {"Desk", "Mic A", "Studio"};
        v.InputNumbers = {1, 2, 0};
        v.InputIndexes = {2, 0, 1};
    }
};
