#include "stats.h"

namespace sim {

std::string FormatStats(const Stats& s) {
    return "stats panels=" + std::to_string(s.panels) + " in=" + std::to_string(s.messagesIn) +
           " polls-answered=" + std::to_string(s.pollsAnswered) +
           " changes=" + std::to_string(s.changes) + " bad=" + std::to_string(s.bad) +
           " ignored=" + std::to_string(s.ignored) +
           " poll-answers=" + std::to_string(s.pollAnswers) +
           " type-replies=" + std::to_string(s.typeReplies) + " stray=" + std::to_string(s.stray);
}

}  // namespace sim
