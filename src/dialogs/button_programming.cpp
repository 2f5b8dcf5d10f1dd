#include "dialogs/button_programming.h"

#include "base/fault.h"
#include "base/station_rows.h"
#include "dialogs/button_types.h"

namespace kv {
namespace {

// Raised while the dialog positions its own lists; lowered however the step ends.
class FillGuardRaised {
public:
    explicit FillGuardRaised(IntercVariables& v) : v_(v) { v_.FillGuard = kTrue; }
    ~FillGuardRaised() { v_.FillGuard = kFalse; }
    FillGuardRaised(const FillGuardRaised&) = delete;
    FillGuardRaised& operator=(const FillGuardRaised&) = delete;

private:
    IntercVariables& v_;
};

// A list the station tables cannot fill completely shows the rows they can.
template <class FillRows>
void FillQuietly(const IntercVariables& v, std::vector<std::string>& rows, FillRows fill) {
    try {
        fill(v, rows);
    } catch (const Fault&) {
    }
}

ButtonRecord* CurrentRecord(ButtonProgrammingDialog& d) {
    const auto k = static_cast<std::size_t>(d.Current);
    if (d.Current < 0 || k >= d.Work.size() || k >= d.ButtonRows.size()) {
        return nullptr;
    }
    return &d.Work[k];
}

int16_t StationOfRow(const std::vector<int16_t>& numbers, std::size_t rows, int32_t row) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows ||
        static_cast<std::size_t>(row) >= numbers.size()) {
        return -1;
    }
    return numbers[static_cast<std::size_t>(row)];
}

// A picked station row becomes the current button's station.
void StationRowPicked(const IntercVariables& v, ButtonProgrammingDialog& d,
                      const std::vector<int16_t>& numbers, std::size_t rows, int32_t row,
                      int32_t& selected) {
    ButtonRecord* record = CurrentRecord(d);
    const int16_t station = StationOfRow(numbers, rows, row);
    if (v.FillGuard != kFalse || record == nullptr || station < 0) {
        return;
    }
    record->First = station;
    selected = row;
}

}  // namespace

void LoadButtonProgramming(IntercVariables& v, ButtonProgrammingDialog& d) {
    d = ButtonProgrammingDialog{};
    d.Open = true;
    d.Work = v.ButtonTable;
    FillQuietly(v, d.OutputRows, FillOutputRows);
    FillQuietly(v, d.InputRows, FillInputRows);
    for (int i = 1; i <= v.ButtonCount; ++i) {
        d.ButtonRows.push_back("Button " + std::to_string(i));
    }
    if (d.ButtonRows.empty() || d.Work.empty()) {
        d.OkEnabled = false;
        return;
    }
    {
        FillGuardRaised guard(v);
        d.ButtonSelected = 0;
    }
    SetupButton(v, d, 0);
}

void SetupButton(IntercVariables& v, ButtonProgrammingDialog& d, int16_t k) {
    FillGuardRaised guard(v);
    d.Current = k;
    d.InputVisible = false;
    d.OutputVisible = false;
    const ButtonRecord* record = CurrentRecord(d);
    if (record == nullptr) {
        d.TypeSelected = -1;
        return;
    }
    const TypeOption* option = FindTypeOption(record->Type);
    d.TypeSelected = option != nullptr ? option->Code : -1;
    if (record->Type == kTalk) {
        d.OutputVisible = true;
        d.OutputSelected = StationRow(v.OutputIndexes, d.OutputRows.size(), record->First);
    } else if (record->Type == kListen || record->Type == kPListen) {
        d.InputVisible = true;
        d.InputSelected = StationRow(v.InputIndexes, d.InputRows.size(), record->First);
    }
}

void ButtonRowPicked(IntercVariables& v, ButtonProgrammingDialog& d, int32_t row) {
    if (row < 0 || static_cast<std::size_t>(row) >= d.ButtonRows.size()) {
        return;
    }
    d.ButtonSelected = row;
    SetupButton(v, d, static_cast<int16_t>(row));
}

void TypeOptionClicked(IntercVariables& v, ButtonProgrammingDialog& d, int32_t code) {
    if (v.FillGuard != kFalse) {
        return;
    }
    const TypeOption* option = FindTypeOption(code);
    ButtonRecord* record = CurrentRecord(d);
    if (option == nullptr || !option->Choosable || record == nullptr) {
        return;
    }
    record->Type = option->Code;
    SetupButton(v, d, d.Current);
}

void InputRowPicked(IntercVariables& v, ButtonProgrammingDialog& d, int32_t row) {
    StationRowPicked(v, d, v.InputNumbers, d.InputRows.size(), row, d.InputSelected);
}

void OutputRowPicked(IntercVariables& v, ButtonProgrammingDialog& d, int32_t row) {
    StationRowPicked(v, d, v.OutputNumbers, d.OutputRows.size(), row, d.OutputSelected);
}

void ButtonProgrammingOk(IntercVariables& v, ButtonProgrammingDialog& d) {
    // Only what the dialog edits goes back: the indication fields went on changing
    // with the poll ticks while it was open.
    for (std::size_t i = 0; i < d.Work.size() && i < v.ButtonTable.size(); ++i) {
        v.ButtonTable[i].Type = d.Work[i].Type;
        v.ButtonTable[i].First = d.Work[i].First;
    }
    d.Open = false;
}

void ButtonProgrammingCancel(ButtonProgrammingDialog& d) {
    d.Open = false;
}

}  // namespace kv
