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

// A program directory with the viewer in it and, when named, the help file.
std::string WithViewer(const TempDir& dir, const char* helpName) {
    fs::copy_file(KEYVANE_HELP_BINARY, dir.path() / kv::kHelpViewerName);
    if (helpName != nullptr) {
        fs::copy_file(KEYVANE_HELP_FILE, dir.path() / helpName);
    }
    return dir.dir();
}

}  // namespace

TEST(QtHelpViewer, StartsTheViewerAtATopicReusesItAndTellsItToQuitEvenAtOnce) {
    TempDir dir;
    kv::platform::QtHelpViewer help(WithViewer(dir, "intercom.hlp"));  // any case of its name
    EXPECT_EQ(help.HelpFile(), (dir.path() / "Intercom.HLP").string());
    const QString server = QString::fromStdString(kv::HelpServerName(help.HelpFile()));
    const auto listening = [&] { return Ask(server, "topic 60\n") == "ok"; };

    std::string reason;
    ASSERT_TRUE(help.ShowContents(reason)) << reason;
    help.Quit();  // before the viewer listens: it still ends
    QTest::qWait(500);
    EXPECT_FALSE(listening());

    QElapsedTimer started;
    started.start();
    ASSERT_TRUE(help.ShowTopic(110, reason)) << reason;
    EXPECT_LT(started.elapsed(), 1000);  // started detached, not waited for
    ASSERT_TRUE(QTest::qWaitFor(listening, 10000));
    EXPECT_EQ(Ask(server, "topic 7\n"), "no topic 7");
    ASSERT_TRUE(help.ShowContents(reason)) << reason;  // handed to the running viewer
    help.Quit();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !listening(); }, 5000));
}

TEST(QtHelpViewer, AMissingViewerOrHelpFileIsReported) {
    TempDir empty, noFile;
    std::string reason;
    EXPECT_FALSE(kv::platform::QtHelpViewer(empty.dir()).ShowContents(reason));
    EXPECT_NE(reason.find("keyvane-help was not found in " + empty.path().string()),
              std::string::npos)
        << reason;
    EXPECT_FALSE(kv::platform::QtHelpViewer(WithViewer(noFile, nullptr)).ShowTopic(60, reason));
    EXPECT_NE(reason.find("Intercom.HLP was not found"), std::string::npos) << reason;
}
