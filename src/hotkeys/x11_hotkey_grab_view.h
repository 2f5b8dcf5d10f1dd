#pragma once

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "hotkeys/hotkey_bindings.h"

struct xcb_connection_t;

namespace kv {

// The bindings as passive key grabs on the X root window: their keys reach the panel
// whichever program has the focus. Key auto-repeat is made detectable, so a held key sends
// one press and one release.
class X11HotkeyGrab : public QAbstractNativeEventFilter {
public:
    struct Handlers {
        std::function<void(int control)> Press;
        std::function<void(int control)> Release;
        // Every grabbed key is up, whatever it held (the grabs changed or were dropped).
        std::function<void()> LetGo;
    };

    explicit X11HotkeyGrab(Handlers handlers);
    ~X11HotkeyGrab() override;
    X11HotkeyGrab(const X11HotkeyGrab&) = delete;
    X11HotkeyGrab& operator=(const X11HotkeyGrab&) = delete;

    // False without an X connection (Wayland, offscreen): nothing can be grabbed.
    bool Available() const { return connection_ != nullptr; }

    // Grabs the bindings in place of those grabbed before. By control, the chords the server
    // refused (another program grabbed them) or that no key of the keyboard sends.
    std::map<int, std::string> Grab(const HotkeyBindings& bindings);
    void Ungrab();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Grabbed {
        uint8_t Keycode;
        uint16_t Mask;
        int Control;
    };
    bool GrabVariants(uint8_t keycode, uint16_t mask);
    void UngrabVariants(uint8_t keycode, uint16_t mask);
    void LetGo();

    Handlers handlers_;
    xcb_connection_t* connection_ = nullptr;
    uint32_t root_ = 0;
    HotkeyBindings bindings_;
    std::vector<Grabbed> grabbed_;
    std::map<uint8_t, int> held_;  // keycode down -> the control it pressed
};

}  // namespace kv
