#include "display/station_display.h"

#include <string>
#include <utility>
#include <vector>

#include "base/checked.h"
#include "base/station_text.h"
#include "diag/trap.h"

namespace kv {

void UpdateDisplay(IntercVariables& v, MainWindowView& w) {
    Trap(v, "Error Updating Display", "Program Error", [&] {
        const CrosspointEntry& own = At(v.CrosspointMap, v.AssignedOutput);
        if (own.Count == 0) {
            return;
        }
        const int16_t caller = At(v.IcomChannel, own.Talker);
        if (caller >= 0 && caller <= v.NumOutputs - 1) {
            v.LastCaller = caller;
            w.InputWindowText = At(v.OutputNames, At(v.OutputIndexes, caller));
        } else {
            v.LastCaller = kNoStation;
            w.InputWindowText.clear();
        }
    });
}

void LoadStationCombo(IntercVariables& v, MainWindowView& w) {
    Trap(v, "Error Loading Station Combo", "Program Error", [&] {
        std::vector<std::string> rows;
        rows.reserve(v.NumOutputs > 0 ? static_cast<std::size_t>(v.NumOutputs) : 0);
        for (int16_t p = 0; p < v.NumOutputs; ++p) {
            rows.push_back(v.Connected != kFalse ? At(v.OutputNames, p)
                                                 : "Out " + FourDigits(p + 1));
        }
        w.StationRows = std::move(rows);
        ++w.StationRowsRevision;
        w.StationSelected = 0;
        v.DialIndex = 0;
        w.PresetWindowText = At(v.OutputNames, 0);
        w.StationVisible = false;
        w.PresetWindowVisible = true;
    });
}

}  // namespace kv
