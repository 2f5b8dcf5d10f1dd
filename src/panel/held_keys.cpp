#include "panel/held_keys.h"

#include <QKeyEvent>
#include <QTimer>
#include <utility>

namespace {

// The pair comes at once; well under the fastest repeat rate (about 30 ms).
constexpr int kSettleMs = 20;

}  // namespace

HeldKeys::HeldKeys(std::function<void(int key)> released, QObject* parent)
    : QObject(parent), released_(std::move(released)) {}

bool HeldKeys::Press(const QKeyEvent& event) {
    if (event.isAutoRepeat()) {
        return false;
    }
    const auto it = pending_.find(event.key());
    if (it == pending_.end()) {
        return true;
    }
    const bool repeat = it->second.Timestamp == event.timestamp();
    pending_.erase(it);
    if (!repeat) {
        released_(event.key());  // let go and pressed again: both happen
    }
    return !repeat;
}

void HeldKeys::Release(const QKeyEvent& event) {
    if (event.isAutoRepeat()) {
        return;
    }
    const int key = event.key();
    const unsigned generation = ++generation_;
    pending_[key] = {event.timestamp(), generation};
    QTimer::singleShot(kSettleMs, this, [this, key, generation] {
        const auto it = pending_.find(key);
        if (it != pending_.end() && it->second.Generation == generation) {
            pending_.erase(it);
            released_(key);
        }
    });
}
