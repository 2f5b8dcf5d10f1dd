#include "panel/call_alert.h"

namespace kv {

bool TakeCallAlert(const IntercVariables& v, MainWindowView& w, bool windowActive) {
    if (v.LastCaller == w.AlertCaller) {
        return false;
    }
    // A caller seen while the window is active needs no alert later either.
    w.AlertCaller = v.LastCaller;
    return v.LastCaller != kNoStation && !windowActive;
}

}  // namespace kv
