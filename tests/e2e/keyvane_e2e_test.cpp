#include <gtest/gtest.h>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QThread>
#include <filesystem>
#include <set>

#include "desktop_session.h"
#include "temp_dir.h"

// The real program against the real stand-in server, under its own X server,
// driven by the mouse and keyboard and watched through the screen's pixels.

namespace {

// The colours of a column of screen pixels, top down, as "#RRGGBB".
QStringList Pixels(const QString& display, int x, int y, int height) {
    const QString text = RunTool(
        "import",
        {"-window", "root", "-crop", QString("1x%1+%2+%3").arg(height).arg(x).arg(y), "txt:-"},
        display);
    QStringList colours;
    static const QRegularExpression rgb("srgb\\((\\d+),(\\d+),(\\d+)\\)");
    for (auto it = rgb.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        colours.append(QString("#%1%2%3")
                           .arg(m.captured(1).toInt(), 2, 16, QChar('0'))
                           .arg(m.captured(2).toInt(), 2, 16, QChar('0'))
                           .arg(m.captured(3).toInt(), 2, 16, QChar('0'))
                           .toUpper());
    }
    return colours;
}

}  // namespace

TEST(KeyvaneProgram, CallFlashesItsTalkKeyUntilAnsweredDialUpReachesTheChosenStationExitSaves) {
    TempDir dir;
    DesktopSession run;
    // Own output 2, own input 3. A 0.2 s flash tick and a 0.4 s overhang keep the call short.
    ASSERT_TRUE(run.StartTalkPanel(dir, "Output=3\r\nInput=4\r\nFlash Rate=400\r\nOver Hang=1\r\n"))
        << "the panel never showed itself connected with its tables\n"
        << run.Seen();
    const QString display = run.display();
    const QString window = run.Window(kConnected);
    const auto at = QRegularExpression("X=(\\d+)\\nY=(\\d+)\\nWIDTH=\\d+\\nHEIGHT=(\\d+)")
                        .match(run.X({"getwindowgeometry", "--shell", window}));
    const int x = at.captured(1).toInt(), y = at.captured(2).toInt(),
              height = at.captured(3).toInt();

    // The panel face starts below the menu bar; the buttons are placed on it.
    const int faceTop = static_cast<int>(Pixels(display, x + 10, y, height).indexOf("#3A424E"));
    ASSERT_GE(faceTop, 0) << "no panel face in the window";
    const int top = y + faceTop;
    const auto key = [&] { return Pixels(display, x + 32 + 5, top + 12 + 5, 1).value(0); };
    const auto keyColoursFor = [&](int ms) {
        std::set<QString> colours;
        for (QDeadlineTimer end(ms); !end.hasExpired();) {
            colours.insert(key());
        }
        return colours;
    };
    // Both messages of a held key, make then break, from the panel's own input 3.
    const auto heldKeySent = [&](const QString& output) {
        return WaitFor(
            [&] {
                return run.Trace().contains("crosspoint-change code=37 in=3 out=" + output) &&
                       run.Trace().contains("crosspoint-change code=33 in=3 out=" + output);
            },
            5000);
    };
    const auto press = [&](int px, int py) {
        run.X({"mousemove", QString::number(px), QString::number(py)});
        run.X({"mousedown", "1"});
        QThread::msleep(300);
    };
    EXPECT_EQ(key(), "#FEFFF4");

    run.sim.write("call 4 2\n");
    run.sim.waitForBytesWritten(1000);  // no event loop runs while the key is watched
    const std::set<QString> seen = keyColoursFor(3000);
    EXPECT_TRUE(seen.count("#80FF80") && seen.count("#FEFFF4"))
        << "the Talk button did not flash, it showed "
        << QStringList(seen.begin(), seen.end()).join(' ').toStdString() << "\n"
        << run.Seen();
    // Well past the overhang, the caller still talking.
    EXPECT_TRUE(keyColoursFor(1500).count("#80FF80")) << "the flash stopped during the call";

    press(x + 360 + 28, top + 48 + 18);  // Call Answer
    run.X({"mouseup", "1"});
    EXPECT_TRUE(heldKeySent("4")) << run.Trace().toStdString();
    EXPECT_TRUE(WaitFor([&] { return key() == "#FEFFF4"; }, 2000));
    EXPECT_EQ(keyColoursFor(1500), std::set<QString>{"#FEFFF4"}) << "answered, still flashing";

    // FLOOR MGR is station 7 but row 4 of the name-sorted list.
    run.Focus(window);
    run.X({"mousemove", QString::number(x + 482), QString::number(top + 35)});
    run.X({"click", "1"});
    QThread::msleep(500);
    run.X({"type", "FL"});
    run.X({"key", "Return"});
    QThread::msleep(300);
    press(x + 360 + 28, top + 12 + 18);  // Dial Up
    EXPECT_EQ(Pixels(display, x + 360 + 5, top + 12 + 5, 1).value(0), "#80FF80");
    run.X({"mouseup", "1"});
    EXPECT_TRUE(heldKeySent("7")) << run.Trace().toStdString();

    run.FileMenu(window, "x");
    ASSERT_TRUE(run.panel.waitForFinished(10000)) << "File, Exit did not end the program\n"
                                                  << run.Seen();
    const std::string saved = dir.Read("zebntpnl.ini");
    EXPECT_NE(saved.find("IP Port=" + run.port.toStdString() + "\r\n"), std::string::npos);
    EXPECT_NE(saved.find("Refresh Rate=1\r\n"), std::string::npos);  // written whole
    EXPECT_NE(saved.find("Line 1=Audio\r\nLine 2=Talk\r\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(run.elsewhere.path()));
}

// A lost link as the operator sees it: the caption says so, the panel keeps trying by
// itself (the server closed it, then stayed silent past Time Out 2 at a poll a second), and
// once the server answers again it is connected and asks for its tables anew. Ended by the
// desktop while a Talk key is held, it breaks that key's crosspoint and saves.
TEST(KeyvaneProgram, ALostLinkIsShownAndRepairedByItself) {
    TempDir dir;
    DesktopSession run;
    ASSERT_TRUE(run.StartTalkPanel(dir, "Input=4\r\nRefresh Rate=1\r\nTime Out=2\r\n", {}, {}, {},
                                   {"--trace", "--poll-ms", "300", "--type-ms", "700"}))
        << "never connected with its tables\n"
        << run.Seen();
    const QString window = run.Window(kConnected);

    run.sim.write("silent on\ndrop\n");
    ASSERT_FALSE(run.WaitForWindow("ZEB Intercom Keyvane - Not Connected").isEmpty())
        << "the lost link was not shown\n"
        << run.Seen();
    // Reconnected after the close, then again after the silence.
    EXPECT_TRUE(WaitFor([&] { return run.Trace().contains("+ panel 3 connected"); }, 15000))
        << "the panel stopped trying\n"
        << run.Seen();
    run.sim.write("silent off\n");
    ASSERT_FALSE(run.WaitForWindow(kConnected).isEmpty()) << "never connected again\n"
                                                          << run.Seen();
    // Its tables asked for anew, the server's polls and type requests answered, and nothing
    // it sent rejected.
    run.sim.write("stats\n");
    EXPECT_TRUE(WaitFor(
        [&] {
            const QString& t = run.Trace();
            return t.count("alpha-table type=20") >= 2 && t.contains("poll-answer  F4") &&
                   t.contains("type-reply type=7 value=1") && t.contains(" bad=0 ");
        },
        10000))
        << run.Seen();

    run.Focus(window);
    run.X({"keydown", "1"});
    ASSERT_TRUE(WaitFor([&] { return run.Trace().contains("code=37 in=15 out=4"); }, 5000))
        << run.Seen();
    run.panel.terminate();
    ASSERT_TRUE(run.panel.waitForFinished(10000)) << "SIGTERM did not end the panel";
    run.X({"keyup", "1"});
    EXPECT_TRUE(WaitFor([&] { return run.Trace().contains("code=33 in=15 out=4"); }, 5000))
        << run.Trace().toStdString();
    EXPECT_NE(dir.Read("zebntpnl.ini").find("Flash Rate="), std::string::npos) << "not saved";
}
