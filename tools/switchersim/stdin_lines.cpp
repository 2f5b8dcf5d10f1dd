#include "stdin_lines.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace sim {

StdinLines::StdinLines(std::function<void(std::string)> line) : line_(std::move(line)) {
    if (fcntl(STDIN_FILENO, F_GETFD) == -1) {
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { Read(); });
}

void StdinLines::Read() {
    char buffer[4096];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
        return;
    }
    if (n <= 0) {
        // End of input: the server keeps running until quit or a signal.
        notifier_->setEnabled(false);
        if (!partial_.empty()) {
            line_(std::move(partial_));
            partial_.clear();
        }
        return;
    }
    partial_.append(buffer, static_cast<std::size_t>(n));
    std::size_t end;
    while ((end = partial_.find('\n')) != std::string::npos) {
        std::string line = partial_.substr(0, end);
        partial_.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        line_(std::move(line));
    }
}

}  // namespace sim
