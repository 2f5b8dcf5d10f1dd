// Measures, under a real X server, the time from a hotkey's key down to its 9 bytes at the
// server, beside the same figure for a mouse press on the Talk button. Both inputs enter
// through the X server (XTest), as a keyboard, a foot switch or a mouse would.
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <QElapsedTimer>
#include <functional>
#include <memory>

#include "bench_panel.h"
#include "hotkeys/hotkeys_view.h"
#include "panel/colour_button.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    BenchServer server;
    BenchPanel panel(server);
    panel.dir.Write("keyvane.conf", "[hotkeys]\nkey1=F9\n");
    kv::HotkeysView hotkeys(panel.s, panel.window, panel.dir.dir() + "keyvane.conf");
    kv::MainWindow& window = panel.window;
    if (!panel.Connect()) {
        std::fprintf(stderr, "hotkey_bench: the panel did not connect\n");
        return 1;
    }

    // A connection of its own, as another program's: XTest input enters as the devices'.
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    const std::unique_ptr<xcb_key_symbols_t, void (*)(xcb_key_symbols_t*)> symbols(
        xcb_key_symbols_alloc(x), xcb_key_symbols_free);
    const std::unique_ptr<xcb_keycode_t, void (*)(void*)> f9(
        xcb_key_symbols_get_keycode(symbols.get(), 0xffc6), std::free);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    ColourButton* talk = window.findChild<ColourButton*>("cmdButton0");
    const QPoint centre = talk->mapToGlobal(talk->rect().center());
    const auto fake = [&](uint8_t type, uint8_t detail) {
        xcb_test_fake_input(x, type, detail, XCB_CURRENT_TIME, root,
                            static_cast<int16_t>(centre.x()), static_cast<int16_t>(centre.y()), 0);
        xcb_flush(x);
    };
    fake(XCB_MOTION_NOTIFY, 0);

    // 200 presses: down, until 9 bytes arrive; up, until the break's 9 are in too.
    const auto measure = [&](uint8_t down, uint8_t up, uint8_t detail, const char* what) {
        std::vector<double> latencies;
        int lost = 0;  // presses without their make and break at the server within a second
        for (int i = 0; i < 200; ++i) {
            QTest::qWait(2);
            const std::size_t before = server.received;
            QElapsedTimer t;
            t.start();
            fake(down, detail);
            while (server.received < before + 9 && t.elapsed() < 1000) {
                QCoreApplication::processEvents(QEventLoop::AllEvents);
            }
            latencies.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
            fake(up, detail);
            lost += QTest::qWaitFor([&] { return server.received >= before + 18; }, 1000) ? 0 : 1;
        }
        std::printf(
            "%s to 9 bytes at the server, 200 presses: median %.3f ms, max %.3f ms, %d lost\n",
            what, Median(latencies), *std::max_element(latencies.begin(), latencies.end()), lost);
    };
    measure(XCB_BUTTON_PRESS, XCB_BUTTON_RELEASE, 1, "mouse press on the Talk button");
    measure(XCB_KEY_PRESS, XCB_KEY_RELEASE, *f9, "hotkey F9 down");
    xcb_disconnect(x);
    return 0;
}
