#pragma once

#include <string>
#include <vector>

#include "state/message_box.h"

// Records every message box the logic asks for.
class RecordingBox : public kv::platform::MessageBox {
public:
    struct Shown {
        std::string text;
        std::string title;
        kv::platform::MessageIcon icon;
    };
    std::vector<Shown> shown;

    void Show(const std::string& text, const std::string& title,
              kv::platform::MessageIcon icon) override {
        shown.push_back({text, title, icon});
    }
};
