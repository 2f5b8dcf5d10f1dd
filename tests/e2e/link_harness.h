#pragma once

#include <QTimer>
#include <string>

#include "config/ini_file.h"
#include "config/program_setup.h"
#include "link/connection.h"
#include "link/framing.h"
#include "link/poll_timer.h"
#include "platform/qt_socket.h"
#include "state/panel_context.h"
#include "temp_dir.h"

// The panel's link as the program runs it, without its window: a real socket,
// tmrDecode at 10 ms (at once while a backlog waits) and tmrPoll at the interval and
// enablement the logic sets.

class LinkHarness {
public:
    // ini: the configuration file's text; the server address and port are added in front.
    LinkHarness(int port, const std::string& ini) {
        dir_.Write(kv::kIniFileName, "[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=" +
                                         std::to_string(port) + "\r\n" + ini);
        kv::ProgramSetup(v, w, dir_.dir());
        kv::platform::SocketEvents events;
        events.Connect = [this] { After([this] { kv::OnSocketConnect(c); }); };
        events.Close = [this] { After([this] { kv::OnSocketClose(c); }); };
        events.DataArrival = [this](int32_t n) { After([this, n] { kv::OnDataArrival(c, n); }); };
        socket_.SetEvents(std::move(events));
        iniRead = kv::ReadIniFile(v, w);
        if (iniRead) {
            kv::ConnectToServer(c);
            w.PollEnabled = true;
        }
        QObject::connect(&decode_, &QTimer::timeout, &decode_,
                         [this] { After([this] { kv::DecodeTick(c); }); });
        QObject::connect(&poll_, &QTimer::timeout, &poll_,
                         [this] { After([this] { kv::PollTick(c); }); });
        decode_.start(10);
        SyncPollTimer();
    }

    ~LinkHarness() { socket_.SetEvents({}); }
    LinkHarness(const LinkHarness&) = delete;
    LinkHarness& operator=(const LinkHarness&) = delete;

    bool Connected() const { return v.Connected == kv::kTrue; }
    bool SocketConnected() const { return v.SocketConnected == kv::kTrue; }

private:
    template <class F>
    void After(F&& event) {
        event();
        if (v.SocketConnected != kv::kTrue && v.Connected == kv::kTrue) {
            ++halfClosed;
        }
        const int decodeMs = v.ReceiveBuffer.Backlog ? 0 : 10;
        if (decode_.interval() != decodeMs) {
            decode_.setInterval(decodeMs);
        }
        SyncPollTimer();
    }
    // The view's part: tmrPoll follows PollInterval and PollEnabled after every event.
    void SyncPollTimer() {
        const int interval = w.PollInterval > 0 ? w.PollInterval : 1;
        if (poll_.interval() != interval) {
            poll_.setInterval(interval);
        }
        if (w.PollEnabled && !poll_.isActive()) {
            poll_.start();
        } else if (!w.PollEnabled && poll_.isActive()) {
            poll_.stop();
        }
    }

    TempDir dir_;

public:
    kv::IntercVariables v;
    kv::MainWindowView w;
    bool iniRead = false;
    // Events after which SocketConnected was false while Connected stayed true.
    int halfClosed = 0;

private:
    // Declared before the socket so that they outlive it.
    QTimer decode_;
    QTimer poll_;
    kv::platform::QtSocket socket_;

public:
    kv::PanelContext c{v, w, socket_};
};
