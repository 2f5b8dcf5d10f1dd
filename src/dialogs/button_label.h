#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "state/interc_variables.h"
#include "state/view_state.h"

// frmButtonLabel: the two caption lines of one button, or of every button at once.

namespace kv {

inline constexpr int16_t kAllButtons = 9999;
inline constexpr std::size_t kCaptionLimit = 8;

// frButtonCap(i) with its two text boxes; positions in layout units.
struct CaptionFrame {
    int16_t Button = 0;  // the ButtonLabels record it edits
    std::string Caption;
    int Left = 120;
    int Top = 120;
    std::string Line1;  // txtLine1(i)
    std::string Line2;  // txtLine2(i)
};

struct ButtonLabelDialog {
    bool AllButtons = false;
    std::vector<CaptionFrame> Frames;
    int Width = 11820;  // sized for eight buttons, wider only for more
    int Height = 4520;
    bool Open = false;
};

// Reads the tag: "9999" all buttons, otherwise the 0-based index of the one button.
void OpenButtonLabel(const IntercVariables& v, ButtonLabelDialog& d, const std::string& tag);

// What a typed character does in a caption line box.
struct CaptionKey {
    bool Accept = false;      // the character goes into the box
    bool FocusLine2 = false;  // the focus moves to line 2 of the same frame
    bool Restore = false;     // the box gets back RestoreText
    std::string RestoreText;
};

// line is 1 or 2; length and selection describe the box before the character.
CaptionKey CaptionKeyPress(const IntercVariables& v, const ButtonLabelDialog& d, std::size_t frame,
                           int line, char32_t character, std::size_t length, bool hasSelection);

// The boxes' texts become the records' lines, whole; the panel is relabelled.
void ButtonLabelOk(IntercVariables& v, MainWindowView& w, ButtonLabelDialog& d);
void ButtonLabelCancel(ButtonLabelDialog& d);

}  // namespace kv
