#include "base/station_rows.h"

#include "base/checked.h"
#include "base/station_text.h"

namespace kv {
namespace {

void Fill(const IntercVariables& v, int16_t count, const std::vector<std::string>& names,
          const std::vector<int16_t>& numbers, const char* prefix, std::vector<std::string>& rows) {
    rows.clear();
    for (int r = 0; r < count; ++r) {
        if (v.Connected != kFalse) {
            rows.push_back(At(names, r) + "   (ch " + std::to_string(At(numbers, r) + 1) + ")");
        } else {
            rows.push_back(prefix + FourDigits(r + 1));
        }
    }
}

}  // namespace

void FillOutputRows(const IntercVariables& v, std::vector<std::string>& rows) {
    Fill(v, v.NumOutputs, v.OutputNames, v.OutputNumbers, "Out ", rows);
}

void FillInputRows(const IntercVariables& v, std::vector<std::string>& rows) {
    Fill(v, v.NumInputs, v.InputNames, v.InputNumbers, "Inpt", rows);
}

int32_t StationRow(const std::vector<int16_t>& indexes, std::size_t rows, int16_t station) {
    if (station < 0 || static_cast<std::size_t>(station) >= indexes.size()) {
        return -1;
    }
    const int16_t row = indexes[static_cast<std::size_t>(station)];
    return row >= 0 && static_cast<std::size_t>(row) < rows ? row : -1;
}

}  // namespace kv
