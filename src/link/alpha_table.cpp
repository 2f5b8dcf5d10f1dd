#include "link/alpha_table.h"

#include <string>
#include <utility>
#include <vector>

#include "base/checked.h"
#include "diag/trap.h"
#include "display/quick_sort.h"
#include "display/station_display.h"
#include "link/byte_manipulation.h"
#include "link/protocol.h"

namespace kv {

void ProcessAlphaTable(PanelContext& c, std::span<const uint8_t> msg) {
    IntercVariables& v = c.v;
    Trap(v, "Error Processing Alpha Table", "Message Error", [&] {
        if (msg.size() < 9 || !ChecksumMatches(msg)) {
            return;
        }
        const uint8_t type = msg[1];
        const std::size_t width = msg[2];
        const int16_t count = MakeWord14(msg[3], msg[4]);
        const int16_t firstRead = MakeWord14(msg[5], msg[6]);
        const std::size_t recordSize = width + 2;
        if (msg.size() != static_cast<std::size_t>(count) * recordSize + 9) {
            return;
        }

        const auto n = static_cast<std::size_t>(count);
        std::vector<std::string> names(n);
        std::vector<int16_t> numbers(n, 0);
        std::vector<int16_t> positions(n, 0);
        for (std::size_t k = static_cast<std::size_t>(firstRead); k < n; ++k) {
            const uint8_t* record = msg.data() + 7 + k * recordSize;
            names[k].assign(reinterpret_cast<const char*>(record), width);
            numbers[k] = MakeWord14(record[width], record[width + 1]);
        }
        if (count > 0) {
            QuickSort(v, names, numbers, 0, static_cast<int16_t>(count - 1));
        }
        for (std::size_t p = 0; p < n; ++p) {
            At(positions, numbers[p]) = static_cast<int16_t>(p);
        }

        if (type == kInputNamesTable) {
            v.InputNames = std::move(names);
            v.InputNumbers = std::move(numbers);
            v.InputIndexes = std::move(positions);
            v.NumInputs = count;
            v.AssignedInputIndex = At(v.InputIndexes, v.AssignedInput);
            v.PendingInfoMask &= ~kRequestInputNames;
        } else if (type == kOutputNamesTable) {
            v.OutputNames = std::move(names);
            v.OutputNumbers = std::move(numbers);
            v.OutputIndexes = std::move(positions);
            if (count == 0) {
                Raise(faults::kSubscript);  // no outputs: the map cannot be sized
            }
            v.NumOutputs = count;
            v.CrosspointMap.resize(n);
            v.AssignedOutputIndex = At(v.OutputIndexes, v.AssignedOutput);
            LoadStationCombo(v, c.w);
            c.w.StatusPanel1 =
                "Intercom Station Assignment (" + At(v.OutputNames, v.AssignedOutputIndex) + ") ";
            v.PendingInfoMask &= ~kRequestOutputNames;
        }
    });
}

}  // namespace kv
