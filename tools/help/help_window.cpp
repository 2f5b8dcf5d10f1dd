#include "help_window.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

namespace kv::help {

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmHelp"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("txtHelp"));
    browser_->setOpenExternalLinks(false);
    setCentralWidget(browser_);
    resize(640, 520);
}

bool HelpWindow::Load(const QString& path, QString& reason) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    // Links within the file resolve beside it.
    browser_->document()->setBaseUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    browser_->setHtml(QString::fromUtf8(bytes));
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Keyvane Help") : title);
    return true;
}

void HelpWindow::ShowContents() {
    browser_->moveCursor(QTextCursor::Start);
    browser_->ensureCursorVisible();
}

bool HelpWindow::ShowTopic(int topic) {
    const QString anchor = QString::number(topic);
    if (!HasAnchor(anchor)) {
        ShowContents();
        return false;
    }
    browser_->scrollToAnchor(anchor);
    return true;
}

void HelpWindow::Present() {
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

bool HelpWindow::HasAnchor(const QString& name) const {
    for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(name)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace kv::help
