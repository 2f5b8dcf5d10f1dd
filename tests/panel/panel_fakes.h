#pragma once

#include <functional>
#include <string>
#include <vector>

#include "panel/main_window_dialogs.h"
#include "set_up_panel.h"
#include "state/services.h"

struct Request {
    int input, output, code;
    friend bool operator==(const Request&, const Request&) = default;
};

// Every call of the box, the help viewer and the modal windows as one line, in order, with
// each window order the real window was given.
class Recorder : public kv::platform::MessageBox,
                 public kv::platform::HelpViewer,
                 public kv::MainWindowDialogs {
public:
    explicit Recorder(kv::MainWindowView& w) : w_(w) {}
    std::vector<std::string> log;
    kv::platform::MessageIcon lastIcon{};
    bool helpAvailable = true;
    std::function<void()> onLogin, onQuit, onUnload;  // what the operator or program does

    void Show(const std::string& text, const std::string& title,
              kv::platform::MessageIcon icon) override {
        Log("box " + title + ": " + text);
        lastIcon = icon;
    }
    bool ShowContents(std::string& reason) override {
        Log("help contents");
        reason = "The help viewer is not installed.";
        return helpAvailable;
    }
    bool ShowTopic(int, std::string&) override { return helpAvailable; }
    void Quit() override { Log("help quit", onQuit); }
    void LoadWindows() override { Log("load windows"); }
    void AfterSocketEvent() override { Log("socket event"); }
    void ApplyWindowOrder() override { Log("order " + std::to_string(w_.WindowOrder)); }
    void ShowPanel() override { Log("panel shown"); }
    void OpenLogin(const std::string& tag) override { Log("login '" + tag + "'", onLogin); }
    void OpenCredential() override { Log("credential"); }
    void OpenSetup(const std::string& tag) override { Log("setup '" + tag + "'"); }
    void OpenAbout() override { Log("about"); }
    void OpenButtonLabel(const std::string& tag) override { Log("label '" + tag + "'"); }
    void UnloadAll() override { Log("unload", onUnload); }

private:
    void Log(const std::string& line, const std::function<void()>& then = {}) {
        log.push_back(line);
        if (then) {
            then();
        }
    }
    kv::MainWindowView& w_;
};

// A panel from program setup in a temporary program directory, its link down until Link(true).
struct Panel : SetUpPanel {
    kv::PanelContext ctx{v, w, socket};
    Recorder rec{w};
    kv::Services s{ctx, rec, rec};

    void Link(bool up) {
        socket.Connected = up;
        v.SocketConnected = v.Connected = up ? kv::kTrue : kv::kFalse;
    }
    void Program(int index, uint8_t type, int16_t first, std::vector<int16_t> list = {}) {
        kv::ButtonRecord& b = v.ButtonTable[static_cast<std::size_t>(index)];
        b.Type = type;
        b.First = first;
        b.ListCount = static_cast<int16_t>(list.empty() ? 1 : list.size());
        b.List = std::move(list);
    }
    // The crosspoint changes written so far, decoded from their 9-byte frames.
    std::vector<Request> Sent() const {
        std::vector<Request> out;
        const std::vector<uint8_t>& b = socket.Written;
        const auto word = [&](std::size_t at) { return b[at] | (b[at + 1] << 7); };
        for (std::size_t i = 0; i + 9 <= b.size(); ++i) {
            if (b[i] == 0xFE && b[i + 8] == 0xFF) {
                out.push_back({word(i + 3), word(i + 5), word(i + 1) & ~0x400});
                i += 8;
            }
        }
        return out;
    }
};
