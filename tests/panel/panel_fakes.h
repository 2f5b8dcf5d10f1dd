#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config/program_setup.h"
#include "panel/main_window_dialogs.h"
#include "state/help_viewer.h"
#include "state/message_box.h"
#include "state/services.h"
#include "state/socket.h"
#include "temp_dir.h"

// Recording stand-ins for the platform and the modal windows, and a panel built from them.

struct Request {
    int input;
    int output;
    int code;
    friend bool operator==(const Request&, const Request&) = default;
};

class FakeSocket : public kv::platform::Socket {
public:
    bool open = false;
    int connects = 0;
    int closes = 0;
    std::string address;
    int32_t port = 0;
    std::vector<uint8_t> written;
    kv::platform::SocketEvents events;

    void SetEvents(kv::platform::SocketEvents e) override { events = std::move(e); }
    void SetRemoteAddress(const std::string& a) override { address = a; }
    void SetRemotePort(int32_t p) override { port = p; }
    int32_t Connect() override {
        ++connects;
        return 0;
    }
    void Close() override {
        ++closes;
        open = false;
    }
    bool IsConnected() const override { return open; }
    int32_t Read(uint8_t*, int32_t) override { return -1; }
    int32_t Write(const uint8_t* b, int32_t n) override {
        written.insert(written.end(), b, b + n);
        return n;
    }
    int32_t LastError() const override { return kv::platform::kWouldBlock; }
    std::string LastErrorText() const override { return "would block"; }

    // The crosspoint changes written so far, decoded from their 9-byte frames.
    std::vector<Request> Requests() const {
        std::vector<Request> out;
        for (std::size_t i = 0; i + 9 <= written.size(); ++i) {
            if (written[i] != 0xFE || written[i + 8] != 0xFF) {
                continue;
            }
            const auto word = [&](std::size_t at) { return written[at] | (written[at + 1] << 7); };
            out.push_back({word(i + 3), word(i + 5), word(i + 1) & ~0x400});
            i += 8;
        }
        return out;
    }
};

class FakeBox : public kv::platform::MessageBox {
public:
    struct Shown {
        std::string text, title;
        kv::platform::MessageIcon icon;
    };
    std::vector<Shown> shown;
    std::function<void()> onShow;
    void Show(const std::string& text, const std::string& title,
              kv::platform::MessageIcon icon) override {
        shown.push_back({text, title, icon});
        if (onShow)
            onShow();
    }
};

class FakeHelp : public kv::platform::HelpViewer {
public:
    bool available = true;
    int contents = 0;
    int quits = 0;
    std::function<void()> onQuit;
    bool ShowContents(std::string& reason) override {
        ++contents;
        if (!available)
            reason = "The help viewer is not installed.";
        return available;
    }
    bool ShowTopic(int, std::string&) override { return available; }
    void Quit() override {
        ++quits;
        if (onQuit)
            onQuit();
    }
};

// Records every call as one line, with the window order in force when a window opened.
class FakeDialogs : public kv::MainWindowDialogs {
public:
    explicit FakeDialogs(kv::MainWindowView& w) : w_(w) {}
    std::vector<std::string> log;
    std::vector<int32_t> ordersApplied;
    std::function<void()> onLogin;  // what the operator does in the login dialog
    std::function<void()> onUnload;

    void LoadWindows() override { log.push_back("load windows"); }
    void AfterSocketEvent() override { log.push_back("socket event"); }
    void ApplyWindowOrder() override { ordersApplied.push_back(w_.WindowOrder); }
    void ShowPanel() override {}  // the Qt window's part, tested there
    void OpenLogin(const std::string& tag) override {
        Opened("login '" + tag + "'");
        if (onLogin)
            onLogin();
    }
    void OpenCredential() override { Opened("credential"); }
    void OpenSetup(const std::string& tag) override { Opened("setup '" + tag + "'"); }
    void OpenAbout() override { Opened("about"); }
    void OpenButtonLabel(const std::string& tag) override { Opened("label '" + tag + "'"); }
    void UnloadAll() override {
        log.push_back("unload");
        if (onUnload)
            onUnload();
    }

private:
    void Opened(const std::string& what) {
        log.push_back(what + " at " + std::to_string(w_.WindowOrder));
    }
    kv::MainWindowView& w_;
};

// A panel from program setup in a temporary program directory; Connect() makes it operable.
struct Panel {
    TempDir dir;
    kv::IntercVariables v;
    kv::MainWindowView w;
    FakeSocket socket;
    kv::PanelContext ctx{v, w, socket};
    FakeBox box;
    FakeHelp help;
    kv::Services s{ctx, box, help};
    FakeDialogs dialogs{w};

    Panel() { kv::ProgramSetup(v, w, dir.dir()); }
    void Connect() {
        socket.open = true;
        v.SocketConnected = kv::kTrue;
        v.Connected = kv::kTrue;
    }
    void Disconnect() {
        socket.open = false;
        v.SocketConnected = kv::kFalse;
        v.Connected = kv::kFalse;
    }
    void Program(int index, uint8_t type, int16_t first) {
        v.ButtonTable[index].Type = type;
        v.ButtonTable[index].First = first;
        v.ButtonTable[index].ListCount = 1;
    }
    std::string Log() const { return dir.Read("Errorlog.txt"); }
};
