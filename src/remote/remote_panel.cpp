#include "remote/remote_panel.h"

#include "panel/control_holds.h"
#include "panel/station_choice.h"

namespace kv::remote {
namespace {

// The names are fixed-width: a wished name matches with or without the padding.
std::string_view Unpadded(std::string_view name) {
    while (!name.empty() && name.back() == ' ') {
        name.remove_suffix(1);
    }
    return name;
}

}  // namespace

std::optional<int32_t> DialRow(const IntercVariables& v, const MainWindowView& w,
                               const DialWish& wish) {
    if (v.Connected == kFalse) {
        return std::nullopt;  // the station choice opens only on a connected panel
    }
    const std::size_t rows =
        std::min({w.StationRows.size(), v.OutputNames.size(), v.OutputNumbers.size()});
    for (std::size_t row = 0; row < rows; ++row) {
        const bool match = wish.Station ? v.OutputNumbers[row] == *wish.Station
                                        : wish.Name && !Unpadded(*wish.Name).empty() &&
                                              Unpadded(v.OutputNames[row]) == Unpadded(*wish.Name);
        if (match) {
            return static_cast<int32_t>(row);
        }
    }
    return std::nullopt;
}

void ContextPanel::Press(int control, uint32_t holder) {
    PressControl(ctx_, dialogs_, control, holder);
    shown_();
}

void ContextPanel::Release(int control, uint32_t holder) {
    ReleaseControl(ctx_, control, holder);
    shown_();
}

void ContextPanel::ReleaseHolder(uint32_t holder) {
    kv::ReleaseHolder(ctx_, holder);
    shown_();
}

bool ContextPanel::ChooseDial(const DialWish& wish) {
    const std::optional<int32_t> row = DialRow(ctx_.v, ctx_.w, wish);
    if (!row) {
        return false;
    }
    StationClick(ctx_, *row);
    shown_();
    return true;
}

}  // namespace kv::remote
