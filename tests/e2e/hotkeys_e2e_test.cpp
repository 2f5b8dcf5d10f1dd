#include <gtest/gtest.h>
#include <QRegularExpression>
#include <QThread>
#include <filesystem>

#include "desktop_session.h"
#include "temp_dir.h"

// A key bound in keyvane.conf by hand presses the panel's Talk key while another program has
// the focus, as a foot switch would.

TEST(Hotkeys, AKeyHeldInAnotherProgramMakesOnceBreaksOnReleaseAndWhenThePanelCloses) {
    TempDir dir;
    DesktopSession run;
    ASSERT_TRUE(run.StartX("800x600x24"));
    const QString port = run.StartServer(SWITCHERSIM_BINARY, {"--trace", "--type-ms", "0"});
    ASSERT_FALSE(port.isEmpty());
    // Key 1 talks to station 4 (output 4 on the wire).
    dir.Write("zebntpnl.ini",
              "[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=" + port.toStdString() +
                  "\r\n[CONFIG]\r\nOutput=3\r\nInput=4\r\nStay On Top=No\r\n"
                  "[BUTTON 0]\r\nType=2\r\nFirst=5\r\nLine 1=Audio\r\nLine 2=Talk\r\n");
    dir.Write("keyvane.conf", "[hotkeys]\nkey1=F9\n");
    std::filesystem::copy_file(KEYVANE_BINARY, dir.path() / "keyvane");
    ASSERT_TRUE(run.StartPanel(dir.path()));
    const QString panel = run.WaitForWindow("ZEB Intercom Keyvane - Connected");
    ASSERT_FALSE(panel.isEmpty()) << run.Seen();
    ASSERT_TRUE(WaitFor([&] { return run.Trace().contains("crosspoint-map"); }, 10000))
        << run.Seen();

    QProcess other;
    other.setProcessEnvironment(run.Environment());
    other.start("xmessage", {"-title", "Other program", "elsewhere"});
    const QString otherWindow = run.WaitForWindow("Other program");
    ASSERT_FALSE(otherWindow.isEmpty()) << run.Seen();
    run.Focus(otherWindow);

    const QRegularExpression make("crosspoint-change code=37 in=\\d+ out=4 ");
    const QRegularExpression brk("crosspoint-change code=33 in=\\d+ out=4 ");
    const auto count = [&](const QRegularExpression& what) { return run.Trace().count(what); };
    run.X({"keydown", "F9"});
    EXPECT_TRUE(WaitFor([&] { return count(make) == 1; }, 3000)) << run.Seen();
    QThread::msleep(1500);  // the server repeats the held key meanwhile
    EXPECT_EQ(count(make), 1);
    EXPECT_EQ(count(brk), 0);
    EXPECT_EQ(run.X({"getwindowfocus"}).trimmed(), otherWindow);
    run.X({"keyup", "F9"});
    EXPECT_TRUE(WaitFor([&] { return count(brk) == 1; }, 3000)) << run.Seen();

    // Held again, then the panel closes from its File menu: the break still goes out.
    run.X({"keydown", "F9"});
    EXPECT_TRUE(WaitFor([&] { return count(make) == 2; }, 3000)) << run.Seen();
    run.Focus(panel);
    run.Press("key", "alt+f");
    run.Press("key", "x");
    EXPECT_TRUE(run.panel.waitForFinished(10000)) << run.Seen();
    EXPECT_TRUE(WaitFor([&] { return count(brk) == 2; }, 3000)) << run.Seen();
    run.X({"keyup", "F9"});
    other.kill();
    other.waitForFinished(3000);
}
