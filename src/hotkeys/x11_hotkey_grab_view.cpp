#include "hotkeys/x11_hotkey_grab_view.h"

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
// The XKB header names a field "explicit", a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <QGuiApplication>
#include <array>
#include <memory>

namespace kv {
namespace {

// A grab holds for one exact modifier state: the chord is grabbed again with Caps Lock
// (Lock) and Num Lock (Mod2) on, so those never hide it.
constexpr std::array<uint16_t, 4> kLockVariants{0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                                XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

// The server then sends a held key's repeats as presses alone, without a release between.
void MakeAutoRepeatDetectable(xcb_connection_t* c) {
    std::free(xcb_xkb_use_extension_reply(c, xcb_xkb_use_extension(c, 1, 0), nullptr));
    std::free(xcb_xkb_per_client_flags_reply(
        c,
        xcb_xkb_per_client_flags(c, XCB_XKB_ID_USE_CORE_KBD,
                                 XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT,
                                 XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT, 0, 0, 0),
        nullptr));
}

}  // namespace

X11HotkeyGrab::X11HotkeyGrab(Handlers handlers) : handlers_(std::move(handlers)) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) {
        return;
    }
    connection_ = x11->connection();
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    MakeAutoRepeatDetectable(connection_);
    qGuiApp->installNativeEventFilter(this);
}

X11HotkeyGrab::~X11HotkeyGrab() {
    if (connection_) {
        qGuiApp->removeNativeEventFilter(this);
        Ungrab();
    }
}

bool X11HotkeyGrab::GrabVariants(uint8_t keycode, uint16_t mask) {
    std::array<xcb_void_cookie_t, kLockVariants.size()> cookies{};
    for (std::size_t i = 0; i < kLockVariants.size(); ++i) {
        cookies[i] = xcb_grab_key_checked(connection_, 1, root_, mask | kLockVariants[i], keycode,
                                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    }
    bool all = true;
    for (const xcb_void_cookie_t cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
            all = false;
            std::free(error);
        }
    }
    if (!all) {
        UngrabVariants(keycode, mask);
    }
    return all;
}

void X11HotkeyGrab::UngrabVariants(uint8_t keycode, uint16_t mask) {
    for (const uint16_t lock : kLockVariants) {
        xcb_ungrab_key(connection_, keycode, root_, mask | lock);
    }
}

std::map<int, std::string> X11HotkeyGrab::Grab(const HotkeyBindings& bindings) {
    Ungrab();
    std::map<int, std::string> refused;
    if (!connection_) {
        return refused;
    }
    bindings_ = bindings;
    const std::unique_ptr<xcb_key_symbols_t, void (*)(xcb_key_symbols_t*)> symbols(
        xcb_key_symbols_alloc(connection_), xcb_key_symbols_free);
    for (int control = 0; control < kPanelControls; ++control) {
        const std::optional<HotkeyChord>& chord =
            bindings.Chords[static_cast<std::size_t>(control)];
        if (!chord) {
            continue;
        }
        const std::unique_ptr<xcb_keycode_t, void (*)(void*)> codes(
            xcb_key_symbols_get_keycode(symbols.get(), chord->KeySym), std::free);
        const uint16_t mask = XModifierMask(chord->Modifiers);
        if (!codes || *codes == XCB_NO_SYMBOL) {
            refused[control] = ChordText(*chord) + " is on no key of this keyboard";
        } else if (!GrabVariants(*codes, mask)) {
            refused[control] = ChordText(*chord) + " is taken by another program";
        } else {
            grabbed_.push_back({*codes, mask, control});
        }
    }
    xcb_flush(connection_);
    return refused;
}

void X11HotkeyGrab::Ungrab() {
    LetGo();
    for (const Grabbed& g : grabbed_) {
        UngrabVariants(g.Keycode, g.Mask);
    }
    grabbed_.clear();
    if (connection_) {
        xcb_flush(connection_);
    }
}

void X11HotkeyGrab::LetGo() {
    if (!held_.empty()) {
        held_.clear();
        handlers_.LetGo();
    }
}

bool X11HotkeyGrab::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<xcb_generic_event_t*>(message);
    const uint8_t type = event->response_type & 0x7F;
    if (type == XCB_MAPPING_NOTIFY &&
        reinterpret_cast<const xcb_mapping_notify_event_t*>(event)->request ==
            XCB_MAPPING_KEYBOARD) {
        // Another keyboard layout moves the keys: grab the chords where they are now.
        Grab(bindings_);
        return false;
    }
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) {
        return false;
    }
    // With owner events, a grabbed key typed into one of the panel's own windows is reported
    // to that window, so the panel's menus still hear other keys while one is held.
    const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
    if (type == XCB_KEY_RELEASE) {
        // Whatever modifier was let go meanwhile, the key's release ends its hold.
        const auto it = held_.find(key->detail);
        if (it != held_.end()) {
            const int control = it->second;
            held_.erase(it);
            handlers_.Release(control);
            return true;
        }
        return false;
    }
    const uint16_t mask = XModifierMask(ModifiersOfXState(key->state));
    for (const Grabbed& g : grabbed_) {
        if (g.Keycode == key->detail && g.Mask == mask) {
            if (held_.emplace(g.Keycode, g.Control).second) {  // a repeat presses nothing
                handlers_.Press(g.Control);
            }
            return true;
        }
    }
    return false;
}

}  // namespace kv
