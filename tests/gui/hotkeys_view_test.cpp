#include "hotkeys/hotkeys_view.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>

#include "dialog_fakes.h"
#include "panel/main_window_view.h"

// Offscreen no X server grabs keys for the panel: the bindings work in the panel window.
TEST(HotkeysView, WithoutADesktopGrabAKeyHoldsItsControlInThePanelWindowUntilLetGo) {
    TestPanel t;
    t.v.ButtonTable[1].Type = kv::kTalk;
    t.v.Connected = kv::kTrue;
    const std::string file = t.dir.dir() + "keyvane.conf";
    t.dir.Write("keyvane.conf", "[remote]\nport=4711\n\n[hotkeys]\nkey2=F9\n");
    kv::MainWindow win{t.s, t.dir.dir()};
    kv::HotkeysView hotkeys(t.s, win, file);
    win.show();
    EXPECT_EQ(hotkeys.Reach(), "Hotkeys work only while the panel has the focus.");
    const auto send = [&](QEvent::Type type, Qt::Key key, bool repeat = false) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(&win, &event);
        return kv::HoldsControl(t.w, 1, kv::kHotkeyHolder);
    };
    EXPECT_TRUE(send(QEvent::KeyPress, Qt::Key_F9));
    EXPECT_TRUE(send(QEvent::KeyRelease, Qt::Key_F9, true));  // auto-repeat
    EXPECT_TRUE(send(QEvent::KeyPress, Qt::Key_F9, true));
    EXPECT_FALSE(send(QEvent::KeyRelease, Qt::Key_F9));
    EXPECT_FALSE(send(QEvent::KeyPress, Qt::Key_F10));

    EXPECT_TRUE(send(QEvent::KeyPress, Qt::Key_F9));
    QEvent away(QEvent::WindowDeactivate);  // the window never hears the release
    QApplication::sendEvent(&win, &away);
    EXPECT_FALSE(kv::IsHeld(t.w, 1));

    // New bindings: a key held under the old ones is let go; other sections stay.
    EXPECT_TRUE(send(QEvent::KeyPress, Qt::Key_F9));
    kv::HotkeyBindings b;
    ASSERT_EQ(kv::Bind(b, 1, "F10"), std::nullopt);
    std::string reason;
    EXPECT_TRUE(hotkeys.Apply(b, reason));
    EXPECT_FALSE(kv::IsHeld(t.w, 1));
    EXPECT_TRUE(send(QEvent::KeyPress, Qt::Key_F10));
    const std::string saved = t.dir.Read("keyvane.conf");
    EXPECT_NE(saved.find("port=4711"), std::string::npos) << saved;
    EXPECT_NE(saved.find("key2=F10"), std::string::npos) << saved;
}
