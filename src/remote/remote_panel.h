#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "panel/main_window_dialogs.h"
#include "panel/panel_snapshot.h"
#include "state/panel_context.h"

// What remote clients do to the panel, as one interface: the router and the WebSocket
// messages work over it, the server gives it the real window, the tests a panel of fakes.

namespace kv::remote {

// The station Dial Up is to reach: by number or by the name the panel shows.
struct DialWish {
    std::optional<int> Station;
    std::optional<std::string> Name;  // 8-bit text
};

class RemotePanel {
public:
    virtual ~RemotePanel() = default;
    // False while a modal dialog of the panel is open: the panel takes no presses then.
    virtual bool TakingPresses() const = 0;
    virtual void Press(int control, uint32_t holder) = 0;
    virtual void Release(int control, uint32_t holder) = 0;
    virtual void ReleaseHolder(uint32_t holder) = 0;
    // False when the panel lists no such station.
    virtual bool ChooseDial(const DialWish& wish) = 0;
    virtual PanelSnapshot Snapshot() const = 0;
};

// The row of the station choice that reaches the wished station, if any.
std::optional<int32_t> DialRow(const IntercVariables& v, const MainWindowView& w,
                               const DialWish& wish);

// The panel's own state behind the interface; busy and shown are the window's.
class ContextPanel : public RemotePanel {
public:
    ContextPanel(PanelContext& ctx, MainWindowDialogs& dialogs, std::function<bool()> busy,
                 std::function<void()> shown)
        : ctx_(ctx), dialogs_(dialogs), busy_(std::move(busy)), shown_(std::move(shown)) {}

    bool TakingPresses() const override { return !busy_(); }
    void Press(int control, uint32_t holder) override;
    void Release(int control, uint32_t holder) override;
    void ReleaseHolder(uint32_t holder) override;
    bool ChooseDial(const DialWish& wish) override;
    PanelSnapshot Snapshot() const override { return TakeSnapshot(ctx_.v, ctx_.w); }

private:
    PanelContext& ctx_;
    MainWindowDialogs& dialogs_;
    std::function<bool()> busy_;
    std::function<void()> shown_;
};

}  // namespace kv::remote
