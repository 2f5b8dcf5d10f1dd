#include "platform/qt_help_viewer.h"

#include <gtest/gtest.h>
#include <QLocalSocket>
#include <QTest>
#include <filesystem>

#include "diag/help_file.h"
#include "temp_dir.h"

namespace {

// A program directory with the viewer in it and, when named, the help file.
std::string WithViewer(const TempDir& dir, const char* helpName) {
    std::filesystem::copy_file(KEYVANE_HELP_BINARY, dir.path() / kv::kHelpViewerName);
    if (helpName != nullptr) {
        std::filesystem::copy_file(KEYVANE_HELP_FILE, dir.path() / helpName);
    }
    return dir.dir();
}

}  // namespace

TEST(QtHelpViewer, StartsTheViewerAtATopicReusesItAndTellsItToQuitEvenAtOnce) {
    TempDir dir;
    kv::platform::QtHelpViewer help(WithViewer(dir, "intercom.hlp"));  // any case of its name
    // The running viewer answers a topic request on its socket.
    const auto listening = [&] {
        QLocalSocket socket;
        socket.connectToServer(QString::fromStdString(kv::HelpServerName(help.HelpFile())));
        socket.write("topic 60\n");
        while (!socket.canReadLine() && socket.waitForReadyRead(2000)) {
        }
        return socket.readLine() == "ok\n";
    };
    std::string reason;
    ASSERT_TRUE(help.ShowContents(reason)) << reason;
    help.Quit();  // before the viewer listens: it still ends
    QTest::qWait(500);
    EXPECT_FALSE(listening());

    ASSERT_TRUE(help.ShowTopic(110, reason)) << reason;
    ASSERT_TRUE(QTest::qWaitFor(listening, 10000));
    ASSERT_TRUE(help.ShowContents(reason)) << reason;  // handed to the running viewer
    help.Quit();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !listening(); }, 5000));
}

TEST(QtHelpViewer, AMissingViewerOrHelpFileIsReported) {
    TempDir empty, noFile;
    std::string reason;
    EXPECT_FALSE(kv::platform::QtHelpViewer(empty.dir()).ShowContents(reason));
    EXPECT_NE(reason.find("keyvane-help was not found in " + empty.path().string()), reason.npos)
        << reason;
    EXPECT_FALSE(kv::platform::QtHelpViewer(WithViewer(noFile, nullptr)).ShowTopic(60, reason));
    EXPECT_NE(reason.find("Intercom.HLP was not found"), reason.npos) << reason;
}
