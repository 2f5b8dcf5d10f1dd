#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace kv {

// The desktop ends the panel at logout with SIGTERM (a terminal with SIGINT or SIGHUP):
// the panel then closes as if the operator closed its window, so held keys are released
// and the configuration is saved. The signal only wakes the event loop; the work runs there.
class QuitSignals : public QObject {
public:
    explicit QuitSignals(std::function<void()> quit);
    ~QuitSignals() override;

private:
    std::function<void()> quit_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace kv
