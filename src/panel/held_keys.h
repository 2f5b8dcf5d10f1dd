#pragma once

#include <QObject>
#include <functional>
#include <map>

class QKeyEvent;

// Tells a held key from its auto-repeat. An X server without detectable auto-repeat sends a
// held key as release and press pairs that share one timestamp, none marked as a repeat; taken
// at their word they would break and make a crosspoint twenty-five times a second. So a
// release is acted on only once no press of the same moment followed it.
class HeldKeys : public QObject {
public:
    explicit HeldKeys(std::function<void(int key)> released, QObject* parent = nullptr);

    // True for a new press, to act on; false for a repeat.
    bool Press(const QKeyEvent& event);
    // The release reaches `released` a moment later, unless a repeat follows it.
    void Release(const QKeyEvent& event);

private:
    struct Pending {
        unsigned long long Timestamp = 0;
        unsigned Generation = 0;
    };

    std::function<void(int)> released_;
    std::map<int, Pending> pending_;
    unsigned generation_ = 0;
};
