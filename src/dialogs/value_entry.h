#pragma once

#include <string>

#include "state/help_viewer.h"
#include "state/interc_variables.h"
#include "state/message_box.h"

// frmIntercRefresh: one whole number for one of the four timing values. The mode word
// picks the texts and the pending value of the setup window it shows and overwrites.

namespace kv {

inline constexpr int16_t kValueMin = 1;
inline constexpr int16_t kValueMax = 3600;

struct ValueEntryDialog {
    std::string Mode;
    std::string Caption = "Enter Refresh Rate";
    std::string Label = "Poll Rate";                        // lblRefresh
    std::string Prompt = "Enter new Poll Rate in seconds";  // lblRefreshHelp
    std::string Text;                                       // txtRefreshRate
    int HelpTopic = 0;                                      // 0: none
    bool FocusText = false;  // the view gives the text box the focus when set
    bool Visible = false;
};

// Each showing: keeps the mode; a known mode sets the texts, the value and the help topic.
void ActivateValueEntry(IntercVariables& v, ValueEntryDialog& d, const std::string& mode);

// Reads the text; in range it becomes the pending value and the dialog hides,
// otherwise the range message is shown and the dialog stays open.
void ValueEntryOk(IntercVariables& v, platform::MessageBox& box, ValueEntryDialog& d);

void ValueEntryCancel(ValueEntryDialog& d);

// The help key: the viewer at the mode's topic; a reason why it cannot is shown.
void ValueEntryHelp(const ValueEntryDialog& d, platform::HelpViewer& help,
                    platform::MessageBox& box);

}  // namespace kv
