#include "dialogs/button_label.h"

#include <algorithm>

#include "base/fault.h"
#include "base/number_reading.h"
#include "display/button_indications.h"

namespace kv {
namespace {

constexpr int kFrameGap = 2895;
constexpr int kMargin = 120;
constexpr int kSecondRowTop = 1560;
constexpr int kFrameWidth = 2775;  // leaves 120 between frames

// The tag as a number; a text that is no 16-bit number edits nothing.
int32_t ReadMode(const std::string& tag) {
    try {
        return ReadInt16(tag);
    } catch (const Fault&) {
        return -1;
    }
}

CaptionFrame MakeFrame(const IntercVariables& v, int16_t button, std::size_t place) {
    CaptionFrame frame;
    frame.Button = button;
    frame.Caption = "Button " + std::to_string(button + 1);
    const int column = place < 4 ? static_cast<int>(place) : static_cast<int>(place) - 4;
    frame.Left = kMargin + kFrameGap * column;
    frame.Top = place < 4 ? kMargin : kSecondRowTop;
    const ButtonLabel& label = v.ButtonLabels[static_cast<std::size_t>(button)];
    frame.Line1 = label.Line1;
    frame.Line2 = label.Line2;
    return frame;
}

const ButtonLabel* StoredLabel(const IntercVariables& v, const ButtonLabelDialog& d,
                               std::size_t frame) {
    if (frame >= d.Frames.size()) {
        return nullptr;
    }
    const auto button = static_cast<std::size_t>(d.Frames[frame].Button);
    return button < v.ButtonLabels.size() ? &v.ButtonLabels[button] : nullptr;
}

}  // namespace

void OpenButtonLabel(const IntercVariables& v, ButtonLabelDialog& d, const std::string& tag) {
    d = ButtonLabelDialog{};
    d.Open = true;
    const int32_t mode = ReadMode(tag);
    const auto labels = static_cast<int32_t>(v.ButtonLabels.size());
    if (mode == kAllButtons) {
        d.AllButtons = true;
        // A count beyond the caption records edits the buttons that have one.
        const int32_t count = std::min<int32_t>(v.ButtonCount, labels);
        for (int32_t i = 0; i < count; ++i) {
            d.Frames.push_back(MakeFrame(v, static_cast<int16_t>(i), static_cast<std::size_t>(i)));
        }
        // Buttons 9 and above continue the second row; the window widens to show them.
        const int lastLeft = kMargin + kFrameGap * (std::max(count, 8) - 5);
        d.Width = std::max(d.Width, lastLeft + kFrameWidth + 2 * kMargin);
    } else if (mode >= 0 && mode < labels) {
        d.Frames.push_back(MakeFrame(v, static_cast<int16_t>(mode), 0));
    }
}

CaptionKey CaptionKeyPress(const IntercVariables& v, const ButtonLabelDialog& d, std::size_t frame,
                           int line, char32_t character, std::size_t length, bool hasSelection) {
    CaptionKey key;
    if (character == 13) {
        key.FocusLine2 = line == 1;
        return key;
    }
    if (character == 27) {
        if (const ButtonLabel* stored = StoredLabel(v, d, frame)) {
            key.Restore = true;
            key.RestoreText = line == 1 ? stored->Line1 : stored->Line2;
        }
        return key;
    }
    key.Accept = length < kCaptionLimit || character == 8 || hasSelection;
    return key;
}

void ButtonLabelOk(IntercVariables& v, MainWindowView& w, ButtonLabelDialog& d) {
    for (const CaptionFrame& frame : d.Frames) {
        const auto button = static_cast<std::size_t>(frame.Button);
        if (button < v.ButtonLabels.size()) {
            v.ButtonLabels[button].Line1 = frame.Line1;
            v.ButtonLabels[button].Line2 = frame.Line2;
        }
    }
    LabelButtons(v, w);
    d.Open = false;
}

void ButtonLabelCancel(ButtonLabelDialog& d) {
    d.Open = false;
}

}  // namespace kv
