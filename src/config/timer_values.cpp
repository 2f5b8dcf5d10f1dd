#include "base/checked.h"
#include "config/ini_file.h"

namespace kv {

void ComputeTimerValues(IntercVariables& v, MainWindowView& w) {
    // 32-bit, so that every poll rate the reader accepts runs.
    const int32_t pollMs = CInt32(static_cast<long long>(v.RefreshRate) * 1000);
    v.TickInterval = v.FlashRate > pollMs ? CInt16(static_cast<long long>(pollMs)) : v.FlashRate;
    if (v.TickInterval == 0) {
        Raise(faults::kDivisionByZero);
    }
    v.TicksPerPoll = CInt32(static_cast<double>(pollMs) / v.TickInterval);
    w.PollInterval = v.TickInterval;
}

}  // namespace kv
