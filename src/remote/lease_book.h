#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <vector>

// The holds made over plain HTTP: a client that presses and is never heard of again must
// not leave a microphone open. Each hold runs until its release or the end of its lease;
// another press of the same control renews it. Times come from the caller.

namespace kv::remote {

using LeaseClock = std::chrono::steady_clock;
using LeaseTime = LeaseClock::time_point;

class LeaseBook {
public:
    void Renew(int control, LeaseTime until) { leases_[control] = until; }
    void End(int control) { leases_.erase(control); }
    // The controls whose lease ran out by now, taken off the book.
    std::vector<int> TakeExpired(LeaseTime now);
    std::optional<LeaseTime> NextExpiry() const;

private:
    std::map<int, LeaseTime> leases_;
};

}  // namespace kv::remote
