#include "remote/lease_book.h"

#include <algorithm>

namespace kv::remote {

std::vector<int> LeaseBook::TakeExpired(LeaseTime now) {
    std::vector<int> expired;
    std::erase_if(leases_, [&](const auto& lease) {
        if (lease.second > now) {
            return false;
        }
        expired.push_back(lease.first);
        return true;
    });
    return expired;
}

std::optional<LeaseTime> LeaseBook::NextExpiry() const {
    if (leases_.empty()) {
        return std::nullopt;
    }
    return std::ranges::min_element(leases_, {}, [](const auto& l) { return l.second; })->second;
}

}  // namespace kv::remote
