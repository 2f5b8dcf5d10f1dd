#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <string>

// Delivers the lines of standard input as they arrive, without blocking the event loop.

namespace sim {

class StdinLines {
public:
    explicit StdinLines(std::function<void(std::string)> line);

private:
    void Read();

    std::function<void(std::string)> line_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::string partial_;
};

}  // namespace sim
