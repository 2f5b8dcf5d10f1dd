#include "switcher.h"

#include <algorithm>

namespace sim {

Switcher::Switcher(std::vector<std::string> names)
    : names_(std::move(names)), outputs_(names_.size()) {}

ChangeResult Switcher::Apply(int code, int input, int output) {
    if (code != kMakeListen && code != kMakeTalk && code != kBreakListen && code != kBreakTalk) {
        return ChangeResult::UnknownCode;
    }
    if (!InRange(input) || !InRange(output)) {
        return ChangeResult::OutOfRange;
    }
    OutputState& out = outputs_[static_cast<size_t>(output)];
    const auto found = std::find(out.sources.begin(), out.sources.end(), input);
    if (code == kMakeListen || code == kMakeTalk) {
        if (found == out.sources.end()) {
            if (static_cast<int>(out.sources.size()) >= kMaxSourcesPerOutput) {
                return ChangeResult::Full;
            }
            out.sources.push_back(input);
        }
        out.level = code == kMakeTalk ? 1 : 0;
    } else if (found != out.sources.end()) {
        out.sources.erase(found);
    }
    if (out.sources.empty()) {
        out.level = 0;
    }
    return ChangeResult::Applied;
}

bool Switcher::Clear(int output) {
    if (!InRange(output)) {
        return false;
    }
    outputs_[static_cast<size_t>(output)] = OutputState{};
    return true;
}

}  // namespace sim
