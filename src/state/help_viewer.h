#pragma once

#include <string>

// The help viewer: a separate program showing the help file beside the panel.

namespace kv::platform {

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Starts the viewer on the contents without waiting; false with a reason when it cannot.
    virtual bool ShowContents(std::string& reason) = 0;
    // Starts the viewer at a topic number (60, 110, 120, 130 ...).
    virtual bool ShowTopic(int topic, std::string& reason) = 0;
    // Tells a running viewer to close the help file; the result is ignored.
    virtual void Quit() = 0;
};

}  // namespace kv::platform
