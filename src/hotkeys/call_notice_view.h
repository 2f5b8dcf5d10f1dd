#pragma once

#include <QObject>
#include <cstdint>

#include "hotkeys/call_notice.h"
#include "state/panel_context.h"

namespace kv {

class MainWindow;

// The desktop notice of each call, through the notification service on the session bus.
// Every call is asynchronous: without a service nothing waits and nothing breaks, and the
// window's own call alert stays as it is.
class CallNoticeView : public QObject {
public:
    CallNoticeView(PanelContext& ctx, MainWindow& window);

private:
    void Follow();
    void Show();
    void Close();

    PanelContext& ctx_;
    CallNotice notice_;
    uint32_t id_ = 0;       // the service's number for the notice shown, 0 before its answer
    bool waiting_ = false;  // a Notify is out, its number not yet back
    bool again_ = false;    // the notice changed while it was out: send it again
};

}  // namespace kv
