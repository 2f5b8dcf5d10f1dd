#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QFile>
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
    for (const QString& line : text.split('\n')) {
        const auto m = rgb.match(line);
        if (m.hasMatch()) {
            colours.append(QString("#%1%2%3")
                               .arg(m.captured(1).toInt(), 2, 16, QChar('0'))
                               .arg(m.captured(2).toInt(), 2, 16, QChar('0'))
                               .arg(m.captured(3).toInt(), 2, 16, QChar('0'))
                               .toUpper());
        }
    }
    return colours;
}

}  // namespace

TEST(KeyvaneProgram, CallFlashesItsTalkKeyUntilAnsweredDialUpReachesTheChosenStationExitSaves) {
    TempDir dir;
    DesktopSession run;
    ASSERT_TRUE(run.StartX("800x600x24"));
    const QString display = run.display();
    const QString port = run.StartServer(SWITCHERSIM_BINARY, {"--trace", "--type-ms", "0"});
    ASSERT_FALSE(port.isEmpty()) << "the stand-in server did not start";

    // Own output 2, own input 3; button 0 talks to station 4 (AUDIO). A 0.2 s flash
    // tick and a 0.4 s overhang keep the call short.
    const std::string ini = "[SETUP]\r\nIP Address=127.0.0.1\r\nIP Port=" + port.toStdString() +
                            "\r\n[CONFIG]\r\nOutput=3\r\nInput=4\r\nStay On Top=No\r\n"
                            "Flash Rate=400\r\nOver Hang=1\r\n"
                            "[BUTTON 0]\r\nType=2\r\nFirst=5\r\nLine 1=Audio\r\nLine 2=Talk\r\n";
    dir.Write("zebntpnl.ini", ini);
    std::filesystem::copy_file(KEYVANE_BINARY, dir.path() / "keyvane");

    ASSERT_TRUE(run.StartPanel(dir.path()));

    const QString window = run.WaitForWindow("ZEB Intercom Keyvane - Connected");
    ASSERT_FALSE(window.isEmpty()) << "the panel never showed itself connected\n" << run.Seen();
    const QString geometry = RunTool("xdotool", {"getwindowgeometry", "--shell", window}, display);
    const auto value = [&](const char* key) {
        const auto m = QRegularExpression(QString("%1=(\\d+)").arg(key)).match(geometry);
        return m.captured(1).toInt();
    };
    const int x = value("X"), y = value("Y"), height = value("HEIGHT");

    // The panel face starts below the menu bar; the buttons are placed on it.
    const QStringList column = Pixels(display, x + 10, y, height);
    const int faceTop = static_cast<int>(column.indexOf("#3A424E"));
    ASSERT_GE(faceTop, 0) << "no panel face in the window";
    const int top = y + faceTop;
    const auto key = [&] { return Pixels(display, x + 32 + 5, top + 12 + 5, 1).value(0); };
    const auto keyColoursFor = [&](int ms) {
        std::set<QString> colours;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            colours.insert(key());
        }
        return colours;
    };
    const auto press = [&](int px, int py) {
        RunTool("xdotool", {"mousemove", QString::number(px), QString::number(py)}, display);
        RunTool("xdotool", {"mousedown", "1"}, display);
        QThread::msleep(300);
    };
    EXPECT_EQ(key(), "#FEFFF4");

    // Wait until the tables are in (the map follows the names), then the call.
    ASSERT_TRUE(WaitFor([&] { return run.Trace().contains("crosspoint-map"); }, 10000))
        << run.Seen();
    run.sim.write("call 4 2\n");
    std::set<QString> seen;
    WaitFor(
        [&] {
            seen.insert(key());
            return seen.count("#80FF80") && seen.count("#FEFFF4") && seen.size() == 2;
        },
        6000);
    EXPECT_TRUE(seen.count("#80FF80") && seen.count("#FEFFF4"))
        << "the Talk button did not flash, it showed "
        << QStringList(seen.begin(), seen.end()).join(' ').toStdString() << "\n"
        << run.Seen();
    QThread::msleep(1500);  // well past the overhang, the caller still talking
    EXPECT_TRUE(keyColoursFor(1500).count("#80FF80")) << "the flash stopped during the call";

    press(x + 360 + 28, top + 48 + 18);  // Call Answer
    RunTool("xdotool", {"mouseup", "1"}, display);
    EXPECT_TRUE(WaitFor(
        [&] {
            return run.Trace().contains("crosspoint-change code=37 in=3 out=4") &&
                   run.Trace().contains("crosspoint-change code=33 in=3 out=4");
        },
        5000))
        << run.Trace().toStdString();
    EXPECT_TRUE(WaitFor([&] { return key() == "#FEFFF4"; }, 2000));
    EXPECT_EQ(keyColoursFor(1500), std::set<QString>{"#FEFFF4"}) << "answered, still flashing";

    // FLOOR MGR is station 7 but row 4 of the name-sorted list.
    RunTool("xdotool", {"windowfocus", "--sync", window}, display);
    RunTool("xdotool", {"mousemove", QString::number(x + 482), QString::number(top + 35)}, display);
    RunTool("xdotool", {"click", "1"}, display);
    QThread::msleep(500);
    RunTool("xdotool", {"type", "FL"}, display);
    RunTool("xdotool", {"key", "Return"}, display);
    QThread::msleep(300);
    press(x + 360 + 28, top + 12 + 18);  // Dial Up
    EXPECT_EQ(Pixels(display, x + 360 + 5, top + 12 + 5, 1).value(0), "#80FF80");
    RunTool("xdotool", {"mouseup", "1"}, display);
    EXPECT_TRUE(WaitFor(
        [&] {
            return run.Trace().contains("crosspoint-change code=37 in=3 out=7") &&
                   run.Trace().contains("crosspoint-change code=33 in=3 out=7");
        },
        5000))
        << run.Trace().toStdString();

    RunTool("xdotool", {"windowfocus", "--sync", window}, display);
    RunTool("xdotool", {"key", "alt+f"}, display);
    QThread::msleep(300);
    RunTool("xdotool", {"key", "x"}, display);
    ASSERT_TRUE(run.panel.waitForFinished(10000)) << "File, Exit did not end the program\n"
                                                  << run.Seen();
    const std::string saved = dir.Read("zebntpnl.ini");
    EXPECT_NE(saved.find("IP Port=" + port.toStdString() + "\r\n"), std::string::npos);
    EXPECT_NE(saved.find("Refresh Rate=1\r\n"), std::string::npos);  // written whole
    EXPECT_NE(saved.find("Line 1=Audio\r\nLine 2=Talk\r\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("/zebntpnl.ini"));
}
