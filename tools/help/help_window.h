#pragma once

#include <QMainWindow>

class QTextBrowser;

namespace kv::help {

// The help file as HTML in a browser; topics are its named anchors.
class HelpWindow : public QMainWindow {
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // False with the reason when the file cannot be read.
    bool Load(const QString& path, QString& reason);

    void ShowContents();
    // Scrolls to the topic's anchor; false (and the contents shown) when it has none.
    bool ShowTopic(int topic);

    // Brings the window to the front for a request from another process.
    void Present();

private:
    bool HasAnchor(const QString& name) const;

    QTextBrowser* browser_ = nullptr;
};

}  // namespace kv::help
