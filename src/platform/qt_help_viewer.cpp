#include "platform/qt_help_viewer.h"

#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <filesystem>

#include "base/program_directory.h"
#include "diag/help_file.h"
#include "platform/local_line.h"

namespace kv::platform {
namespace {

// A viewer just started may not listen yet; Quit gives it this long to come up.
constexpr qint64 kStartUpMs = 3000;
constexpr int kConnectMs = 250;

std::string AbsolutePath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

}  // namespace

QtHelpViewer::QtHelpViewer(const std::string& programDirectory, const std::string& helpDirectory)
    : viewer_(AbsolutePath(WithTrailingSeparator(programDirectory) + kHelpViewerName)),
      helpFile_(
          AbsolutePath(HelpFilePath(helpDirectory.empty() ? programDirectory : helpDirectory))) {}

bool QtHelpViewer::ShowContents(std::string& reason) {
    return Start({}, reason);
}

bool QtHelpViewer::ShowTopic(int topic, std::string& reason) {
    return Start({QStringLiteral("--topic"), QString::number(topic)}, reason);
}

bool QtHelpViewer::Start(const QStringList& extra, std::string& reason) {
    const std::filesystem::path file(helpFile_);
    const std::string directory = file.parent_path().string();
    const QString viewer = QString::fromStdString(viewer_);
    const QFileInfo viewerInfo(viewer);
    if (!viewerInfo.isFile() || !viewerInfo.isExecutable()) {
        reason = std::string("The help viewer ") + kHelpViewerName + " was not found in " +
                 std::filesystem::path(viewer_).parent_path().string() + ". Help is not available.";
        return false;
    }
    if (!FindFileAnyCase(directory, kHelpFileName)) {
        reason = std::string("The help file ") + kHelpFileName + " was not found in " + directory +
                 ". Help is not available.";
        return false;
    }
    QStringList arguments{QString::fromStdString(helpFile_)};
    arguments += extra;
    if (!QProcess::startDetached(viewer, arguments, QString::fromStdString(directory))) {
        reason = std::string("The help viewer ") + kHelpViewerName + " could not be started.";
        return false;
    }
    sinceStart_.start();
    return true;
}

void QtHelpViewer::Quit() {
    const QString name = QString::fromStdString(HelpServerName(helpFile_));
    while (!SendLocalLine(name, "quit\n", kConnectMs)) {
        // Only a viewer this panel started moments ago is worth waiting for.
        if (!sinceStart_.isValid() || sinceStart_.elapsed() >= kStartUpMs) {
            return;
        }
        QThread::msleep(50);
    }
}

}  // namespace kv::platform
