#pragma once

#include "base/file_places.h"
#include "state/interc_variables.h"
#include "state/view_state.h"

// The configuration file in the config folder: read once at start-up, written
// whole at every save point.

namespace kv {

// A file that failed to read is kept under this name for the operator to inspect.
inline constexpr const char* kBadIniFileName = "zebntpnl.ini.bad";
// The writer's new file before it replaces the old one: this name and six characters of
// its own, so that panels saving in one directory at once never share it.
inline constexpr const char* kIniTempPrefix = "zebntpnl.ini.tmp.";

// True when the file existed and was read to its end. Also relabels the
// buttons and applies the window order and the poll interval to the view.
bool ReadIniFile(IntercVariables& v, MainWindowView& w);

// True when the whole file was written; on failure the old file is left intact.
bool WriteIniFile(IntercVariables& v);

// TickInterval and TicksPerPoll from RefreshRate and FlashRate, and the poll
// interval of the view. Raises faults; callers run it inside their trap.
void ComputeTimerValues(IntercVariables& v, MainWindowView& w);

}  // namespace kv
