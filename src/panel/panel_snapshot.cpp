#include "panel/panel_snapshot.h"

#include "panel/control_holds.h"

namespace kv {
namespace {

// A station exists for the reader only once the output table names it. Names come padded
// to the table's width; a reader wants the name alone.
std::optional<StationMention> Mention(const IntercVariables& v, int16_t station,
                                      const std::string& name) {
    const std::size_t end = name.find_last_not_of(' ');
    if (v.Connected == kFalse || station == kNoStation || end == std::string::npos) {
        return std::nullopt;
    }
    return StationMention{station, name.substr(0, end + 1)};
}

std::optional<StationMention> DialMention(const IntercVariables& v, const MainWindowView& w) {
    if (v.DialIndex < 0 || v.DialIndex >= std::ssize(v.OutputNumbers)) {
        return std::nullopt;
    }
    return Mention(v, v.OutputNumbers[static_cast<std::size_t>(v.DialIndex)], w.PresetWindowText);
}

}  // namespace

const char* ButtonTypeName(uint8_t type) {
    switch (type) {
        case kListen:
            return "listen";
        case kPListen:
            return "p-listen";
        case kTalk:
            return "talk";
        case kGroup:
            return "group";
        case kSalvo:
            return "salvo";
        case kOptoTgl:
            return "opto-toggle";
        case kOptoPls:
            return "opto-pulse";
        case kRelayTgl:
            return "relay-toggle";
        case kRelayPls:
            return "relay-pulse";
        case kInactive:
            return "inactive";
        default:
            return "unknown";
    }
}

PanelSnapshot TakeSnapshot(const IntercVariables& v, const MainWindowView& w) {
    PanelSnapshot s;
    s.Connected = v.Connected != kFalse;
    s.Caption = w.Caption;
    s.Caller = Mention(v, v.LastCaller, w.InputWindowText);
    s.Dial = DialMention(v, w);
    for (int i = 0; i < kPanelButtons; ++i) {
        KeySnapshot& key = s.Keys[static_cast<std::size_t>(i)];
        const ButtonFace& face = w.Buttons[static_cast<std::size_t>(i)];
        key.Index = i;
        const std::size_t cut = face.Caption.find('\r');
        key.Line1 = face.Caption.substr(0, cut);
        key.Line2 = cut == std::string::npos ? std::string() : face.Caption.substr(cut + 1);
        key.Enabled = face.Enabled;
        key.Held = IsHeld(w, i);
        if (i < std::ssize(v.ButtonTable)) {
            const ButtonRecord& b = v.ButtonTable[static_cast<std::size_t>(i)];
            key.Type = ButtonTypeName(b.Type);
            key.Station = b.First;
            key.Lit = b.State == 1;  // on: made or latched; flash states count as off
            key.Flashing = b.CallFlash != kFalse;
        } else {
            key.Type = ButtonTypeName(kInactive);
        }
    }
    s.AnswerHeld = IsHeld(w, kAnswerControl);
    s.DialHeld = IsHeld(w, kDialControl);
    return s;
}

}  // namespace kv
