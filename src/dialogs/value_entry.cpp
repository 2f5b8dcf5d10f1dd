#include "dialogs/value_entry.h"

#include <array>

#include "base/number_reading.h"
#include "base/rounding.h"

namespace kv {
namespace {

struct ModeTexts {
    const char* Mode;
    const char* Caption;
    const char* Label;
    const char* Prompt;
    int HelpTopic;
    int16_t IntercVariables::*Pending;
};

constexpr std::array<ModeTexts, 4> kModes{{
    {"Refresh", "Change Refresh Rate", "Poll Rate", "Enter new Poll Rate in seconds", 60,
     &IntercVariables::SetupRefreshRate},
    {"TimeOut", "Change Time Out Period", "Time Out Period", "Enter new Time Out Period in seconds",
     110, &IntercVariables::SetupTimeOut},
    {"FlashRate", "Change Flash Rate", "Flash Rate", "Enter new button Flash Rate in miliseconds",
     120, &IntercVariables::SetupFlashRate},
    {"OverHang", "Change OverHang Period", "OverHang Period",
     "Enter new Over Hang Period in seconds", 130, &IntercVariables::SetupOverHang},
}};

const ModeTexts* FindMode(const std::string& mode) {
    for (const ModeTexts& m : kModes) {
        if (mode == m.Mode) {
            return &m;
        }
    }
    return nullptr;
}

}  // namespace

void ActivateValueEntry(IntercVariables& v, ValueEntryDialog& d, const std::string& mode) {
    d.Mode = mode;
    d.Visible = true;
    const ModeTexts* m = FindMode(mode);
    if (m == nullptr) {
        return;
    }
    d.Text = std::to_string(v.*(m->Pending));
    d.FocusText = true;
    d.Prompt = m->Prompt;
    d.Label = m->Label;
    d.Caption = m->Caption;
    d.HelpTopic = m->HelpTopic;
}

void ValueEntryOk(IntercVariables& v, platform::MessageBox& box, ValueEntryDialog& d) {
    // Compared as a real number, so a text beyond 16 bits is refused like any other.
    const double value = RoundHalfEven(ReadNumber(d.Text));
    if (!(value >= kValueMin && value <= kValueMax)) {
        box.Show("Please enter a value between 1 and 3600", "Input Error",
                 platform::MessageIcon::None);
        return;
    }
    if (const ModeTexts* m = FindMode(d.Mode)) {
        v.*(m->Pending) = static_cast<int16_t>(value);
    }
    d.Visible = false;
}

void ValueEntryCancel(ValueEntryDialog& d) {
    d.Visible = false;
}

void ValueEntryHelp(const ValueEntryDialog& d, platform::HelpViewer& help,
                    platform::MessageBox& box) {
    if (d.HelpTopic == 0) {
        return;
    }
    std::string reason;
    if (!help.ShowTopic(d.HelpTopic, reason)) {
        box.Show(reason, "Help", platform::MessageIcon::Exclamation);
    }
}

}  // namespace kv
