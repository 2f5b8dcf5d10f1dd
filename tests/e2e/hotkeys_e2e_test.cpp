#include <gtest/gtest.h>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QThread>

#include "desktop_session.h"
#include "temp_dir.h"

// Keys bound in keyvane.conf by hand press the panel's keys while another program has the
// focus, as a foot switch would; a call shows as a desktop notice.

namespace {

// A stand-in notification service that writes down each call it gets.
class NoticeStandIn : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& m, const QDBusConnection& bus) override {
        const QList<QVariant> a = m.arguments();
        if (m.member() == "Notify" && a.size() == 8) {
            const uint32_t id = a[1].toUInt() != 0 ? a[1].toUInt() : ++last_;
            calls << QString("Notify %1 %2 %3 %4")
                         .arg(a[0].toString())
                         .arg(a[1].toUInt())
                         .arg(a[2].toString(), a[3].toString());
            bus.send(m.createReply(QVariant::fromValue(id)));
        } else if (m.member() == "CloseNotification" && a.size() == 1) {
            calls << QString("Close %1").arg(a[0].toUInt());
            bus.send(m.createReply());
        } else {
            return false;
        }
        return true;
    }
    QStringList calls;

private:
    uint32_t last_ = 0;
};

}  // namespace

TEST(Hotkeys, AKeyHeldInAnotherProgramMakesOnceBreaksOnReleaseAndWhenThePanelCloses) {
    TempDir dir;
    DesktopSession run;
    ASSERT_TRUE(run.StartTalkPanel(dir, "Output=3\r\nInput=4\r\n", "[hotkeys]\nkey1=F9\n"))
        << run.Seen();
    const QString panel = run.Window(kConnected);
    QProcess other;
    other.setProcessEnvironment(run.Environment());
    other.start("xmessage", {"-title", "Other program", "elsewhere"});
    const QString otherWindow = run.WaitForWindow("Other program");
    ASSERT_FALSE(otherWindow.isEmpty()) << run.Seen();
    run.Focus(otherWindow);

    run.X({"keydown", "F9"});
    EXPECT_TRUE(WaitFor([&] { return run.Sent(37) == 1; }, 3000)) << run.Seen();
    QThread::msleep(1500);  // the server repeats the held key meanwhile
    EXPECT_EQ(run.Sent(37), 1);
    EXPECT_EQ(run.Sent(33), 0);
    EXPECT_EQ(run.X({"getwindowfocus"}).trimmed(), otherWindow);
    run.X({"keyup", "F9"});
    EXPECT_TRUE(WaitFor([&] { return run.Sent(33) == 1; }, 3000)) << run.Seen();

    // Held again, then the panel closes from its File menu: the break still goes out.
    run.X({"keydown", "F9"});
    EXPECT_TRUE(WaitFor([&] { return run.Sent(37) == 2; }, 3000)) << run.Seen();
    run.FileMenu(panel, "x");
    EXPECT_TRUE(run.panel.waitForFinished(10000)) << run.Seen();
    EXPECT_TRUE(WaitFor([&] { return run.Sent(33) == 2; }, 3000)) << run.Seen();
    run.X({"keyup", "F9"});
    other.kill();
    other.waitForFinished(3000);
}

// On a private session bus: one notice per call, withdrawn when answered (with Call Answer's
// hotkey) or when the caller hangs up.
TEST(Hotkeys, EachCallShowsOneDesktopNoticeWithdrawnWhenAnsweredOrEnded) {
    QProcess daemon;
    daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(daemon.waitForReadyRead(5000));
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
    QDBusConnection bus = QDBusConnection::connectToBus(address, "notices");
    NoticeStandIn standIn;
    ASSERT_TRUE(bus.registerVirtualObject("/org/freedesktop/Notifications", &standIn));
    ASSERT_TRUE(bus.registerService("org.freedesktop.Notifications"));

    TempDir dir;
    DesktopSession run;
    QProcessEnvironment env;
    env.insert("DBUS_SESSION_BUS_ADDRESS", address);
    ASSERT_TRUE(
        run.StartTalkPanel(dir, "Output=3\r\nInput=4\r\n", "[hotkeys]\nanswer=F10\n", {}, env))
        << run.Seen();
    const auto callsAre = [&](const QStringList& calls) {
        return WaitFor([&] { return standIn.calls == calls; }, 5000);
    };
    const QString audio = "Notify Keyvane 0 org.keyvane.Keyvane AUDIO is calling";
    run.sim.write("call 4 2\n");
    EXPECT_TRUE(callsAre({audio})) << standIn.calls.join('\n').toStdString();
    WaitFor([] { return false; }, 1500);  // renders as the key flashes: no second notice
    run.X({"keydown", "F10"});
    EXPECT_TRUE(callsAre({audio, "Close 1"})) << standIn.calls.join('\n').toStdString();
    run.X({"keyup", "F10"});
    run.sim.write("hangup 4 2\ncall 5 2\n");
    const QString lighting = "Notify Keyvane 0 org.keyvane.Keyvane LIGHTING is calling";
    EXPECT_TRUE(callsAre({audio, "Close 1", lighting})) << standIn.calls.join('\n').toStdString();
    run.sim.write("hangup 5 2\n");
    EXPECT_TRUE(callsAre({audio, "Close 1", lighting, "Close 2"}))
        << standIn.calls.join('\n').toStdString() << run.Seen();
    bus.unregisterService("org.freedesktop.Notifications");
    QDBusConnection::disconnectFromBus("notices");
    daemon.kill();
    daemon.waitForFinished(3000);
}
