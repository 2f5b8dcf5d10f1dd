#include "command_feed.h"

namespace sim {

CommandFeed::CommandFeed(std::string origin, Run run, Print err)
    : origin_(std::move(origin)), run_(std::move(run)), err_(std::move(err)) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { Drain(); });
}

void CommandFeed::Push(std::string line) {
    if (stopped_) {
        return;
    }
    lines_.push_back(std::move(line));
    Drain();
}

void CommandFeed::Drain() {
    while (!stopped_ && !timer_.isActive() && !lines_.empty()) {
        const std::string line = std::move(lines_.front());
        lines_.pop_front();
        ++lineNumber_;
        const auto parsed = ParseCommand(line);
        if (const auto* error = std::get_if<std::string>(&parsed)) {
            err_("error: " + origin_ + " line " + std::to_string(lineNumber_) + ": " + *error);
            continue;
        }
        const Command& command = std::get<Command>(parsed);
        if (command.kind == Command::Kind::Wait) {
            timer_.start(static_cast<int>(command.count));
            continue;
        }
        if (!run_(command)) {
            stopped_ = true;
            lines_.clear();
        }
    }
}

}  // namespace sim
