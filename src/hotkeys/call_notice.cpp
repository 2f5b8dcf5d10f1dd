#include "hotkeys/call_notice.h"

#include <algorithm>

namespace kv {

std::optional<StationMention> LiveCaller(const IntercVariables& v, const PanelSnapshot& s) {
    const int16_t own = v.AssignedOutput;
    if (!s.Caller || own < 0 || own >= std::ssize(v.CrosspointMap) ||
        v.CrosspointMap[static_cast<std::size_t>(own)].Count == 0) {
        return std::nullopt;
    }
    return s.Caller;
}

bool Answering(const PanelSnapshot& s) {
    if (s.AnswerHeld) {
        return true;
    }
    return s.Caller && std::ranges::any_of(s.Keys, [&](const KeySnapshot& k) {
               return k.Held && k.Type == "talk" && k.Station == s.Caller->Station;
           });
}

NoticeAction NextNotice(CallNotice& n, const std::optional<StationMention>& caller,
                        bool answering) {
    const bool sameCall = caller && n.Caller && caller->Station == n.Caller->Station;
    const bool renamed = sameCall && caller->Name != n.Caller->Name;
    if (!sameCall) {
        n.Answered = false;
    }
    n.Answered = n.Answered || answering;
    n.Caller = caller;
    if (!caller || n.Answered) {
        const bool wasShown = n.Shown;
        n.Shown = false;
        return wasShown ? NoticeAction::Close : NoticeAction::Nothing;
    }
    if (n.Shown && sameCall && !renamed) {
        return NoticeAction::Nothing;
    }
    n.Shown = true;
    return NoticeAction::Show;
}

std::string NoticeSummary(const StationMention& caller) {
    return caller.Name + " is calling";
}

}  // namespace kv
