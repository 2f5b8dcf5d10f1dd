#include "platform/qt_help_viewer.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QTest>
#include <filesystem>

#include "diag/help_file.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

// One request to the viewer on its socket; the reply line, or empty when none listens.
QString Ask(const QString& server, const QByteArray& line) {
    QLocalSocket socket;
    socket.connectToServer(server);
    if (!socket.waitForConnected(200)) {
        return {};
    }
    socket.write(line);
    socket.waitForBytesWritten(1000);
    while (!socket.canReadLine() && socket.waitForReadyRead(2000)) {
    }
    return QString::fromUtf8(socket.readLine()).trimmed();
}

bool Listening(const QString& server) {
    QLocalSocket socket;
    socket.connectToServer(server);
    return socket.waitForConnected(200);
}

// A program directory with the viewer in it and, when asked, the help file.
struct HelpDirectory {
    TempDir dir;
    explicit HelpDirectory(const char* helpName) {
        fs::copy_file(KEYVANE_HELP_BINARY, dir.path() / kv::kHelpViewerName);
        if (helpName != nullptr) {
            fs::copy_file(KEYVANE_HELP_FILE, dir.path() / helpName);
        }
    }
};

}  // namespace

TEST(QtHelpViewer, StartsTheViewerAtATopicReusesItAndTellsItToQuit) {
    HelpDirectory h("intercom.hlp");  // found whatever the case of its name
    kv::platform::QtHelpViewer help(h.dir.path().string());
    EXPECT_EQ(help.HelpFile(), (h.dir.path() / "Intercom.HLP").string());
    const QString server = QString::fromStdString(kv::HelpServerName(help.HelpFile()));

    std::string reason;
    QElapsedTimer started;
    started.start();
    ASSERT_TRUE(help.ShowTopic(110, reason)) << reason;
    EXPECT_LT(started.elapsed(), 1000);  // started detached, not waited for
    ASSERT_TRUE(QTest::qWaitFor([&] { return Listening(server); }, 10000));

    EXPECT_EQ(Ask(server, "topic 60\n"), QStringLiteral("ok"));
    EXPECT_EQ(Ask(server, "topic 7\n"), QStringLiteral("no topic 7"));

    // A second start hands its request to the running viewer and ends.
    ASSERT_TRUE(help.ShowContents(reason)) << reason;
    QTest::qWait(1500);
    EXPECT_EQ(Ask(server, "contents\n"), QStringLiteral("ok"));

    help.Quit();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Listening(server); }, 5000));
}

TEST(QtHelpViewer, AQuitRightAfterTheStartStillReachesTheViewer) {
    HelpDirectory h("Intercom.HLP");
    kv::platform::QtHelpViewer help(h.dir.dir());
    const QString server = QString::fromStdString(kv::HelpServerName(help.HelpFile()));
    std::string reason;
    ASSERT_TRUE(help.ShowContents(reason)) << reason;
    help.Quit();
    QTest::qWait(500);
    EXPECT_FALSE(Listening(server));
}

TEST(QtHelpViewer, AMissingViewerOrHelpFileIsReportedAndQuitDoesNotWait) {
    TempDir empty;
    kv::platform::QtHelpViewer noViewer(empty.dir());
    std::string reason;
    EXPECT_FALSE(noViewer.ShowContents(reason));
    EXPECT_NE(reason.find("keyvane-help was not found in " + empty.path().string()),
              std::string::npos)
        << reason;

    HelpDirectory noFile(nullptr);
    kv::platform::QtHelpViewer noHelp(noFile.dir.dir());
    reason.clear();
    EXPECT_FALSE(noHelp.ShowTopic(60, reason));
    EXPECT_NE(reason.find("Intercom.HLP was not found"), std::string::npos) << reason;

    QElapsedTimer clock;
    clock.start();
    noHelp.Quit();
    EXPECT_LT(clock.elapsed(), 1000);
}
