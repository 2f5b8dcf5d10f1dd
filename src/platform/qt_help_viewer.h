#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <string>

#include "state/help_viewer.h"

namespace kv::platform {

// The help viewer program keyvane-help beside the panel, started detached on the help
// file in the help folder (empty: the program directory). Quit reaches a running viewer over a
// local socket named after the help file.
class QtHelpViewer final : public HelpViewer {
public:
    explicit QtHelpViewer(const std::string& programDirectory,
                          const std::string& helpDirectory = {});

    bool ShowContents(std::string& reason) override;
    bool ShowTopic(int topic, std::string& reason) override;
    void Quit() override;

    const std::string& HelpFile() const { return helpFile_; }

private:
    bool Start(const QStringList& extra, std::string& reason);

    std::string viewer_;
    std::string helpFile_;
    QElapsedTimer sinceStart_;  // valid once a viewer was started by this panel
};

}  // namespace kv::platform
