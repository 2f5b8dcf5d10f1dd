#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "panel/panel_snapshot.h"

// The desktop notice of a call: shown when a caller appears, changed in place when the
// caller or its name changes, withdrawn when the call ends or is answered. Each render
// brings the panel's state anew; a call seen again is not noticed again.

namespace kv {

struct CallNotice {
    std::optional<StationMention> Caller;  // the call as last seen
    bool Answered = false;                 // this call was answered: no notice for it again
    bool Shown = false;                    // a notice of it is (or is being) shown
};

enum class NoticeAction { Nothing, Show, Close };

// The caller while its call lasts; the window goes on naming the last caller after it.
std::optional<StationMention> LiveCaller(const IntercVariables& v, const PanelSnapshot& s);

// A call counts as answered while Call Answer or a Talk key to the caller is held.
bool Answering(const PanelSnapshot& s);

// The next step for the notice, given what the panel shows now; updates n. Show replaces
// the notice shown, if any.
NoticeAction NextNotice(CallNotice& n, const std::optional<StationMention>& caller, bool answering);

// "NAME is calling", 8-bit text as the window shows the name, without the table's padding.
std::string NoticeSummary(const StationMention& caller);

}  // namespace kv
