#pragma once

#include <QTimer>
#include <deque>
#include <functional>
#include <string>

#include "command.h"

// One source of command lines (standard input or a scenario file): runs them
// in order, pausing at "wait MS", and stops for good after "quit".

namespace sim {

class CommandFeed {
public:
    // run returns false when the command ends the program.
    using Run = std::function<bool(const Command&)>;
    using Print = std::function<void(const std::string&)>;

    CommandFeed(std::string origin, Run run, Print err);

    void Push(std::string line);
    bool Idle() const { return lines_.empty() && !timer_.isActive(); }

private:
    void Drain();

    std::string origin_;
    Run run_;
    Print err_;
    std::deque<std::string> lines_;
    QTimer timer_;
    int lineNumber_ = 0;
    bool stopped_ = false;
};

}  // namespace sim
