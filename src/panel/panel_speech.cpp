#include "panel/panel_speech.h"

#include <cctype>
#include <string_view>

#include "panel/control_holds.h"

namespace kv {
namespace {

// Runs of blanks (captions are padded to centre them) read as one space, none at the ends.
void AppendWords(std::string& out, std::string_view text) {
    bool gap = !out.empty();
    for (const char c : text) {
        if (c == ' ' || c == '\t') {
            gap = !out.empty();
            continue;
        }
        if (gap) {
            out += ' ';
            gap = false;
        }
        out += c;
    }
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

// The caption's own words, then the type word unless the caption already says it.
std::string KeyName(const KeySnapshot& key) {
    std::string caption;
    AppendWords(caption, key.Line1);
    AppendWords(caption, key.Line2);
    std::string name = ControlName(key.Index);
    if (!caption.empty()) {
        name += ", " + caption;
    }
    const std::string words = " " + Lower(caption) + " ";
    if (words.find(" " + key.Type + " ") == std::string::npos) {
        name += ", " + key.Type;
    }
    return name;
}

void AddWord(std::string& list, std::string_view word) {
    if (!list.empty()) {
        list += ", ";
    }
    list += word;
}

ControlSpeech KeySpeech(const KeySnapshot& key) {
    ControlSpeech c;
    c.Name = KeyName(key);
    c.Pressed = key.Held;
    c.Checkable = key.Type == "listen" || key.Type == "p-listen";
    c.Checked = c.Checkable && key.Lit;
    c.Animated = key.Flashing;
    if (key.Lit) {
        AddWord(c.Description, "lit");
    }
    if (key.Flashing) {
        AddWord(c.Description, "flashing for a call");
    }
    if (key.Held) {
        AddWord(c.Description, "held");
    }
    if (key.Type == "inactive" || key.Type == "unknown") {
        AddWord(c.Description, "inactive");
    }
    if (!key.Enabled) {
        AddWord(c.Description, "disabled");
    }
    if (c.Description.empty()) {
        c.Description = "off";
    }
    return c;
}

ControlSpeech HeldSpeech(int control, const char* verb,
                         const std::optional<StationMention>& station, bool held) {
    ControlSpeech c;
    c.Name = ControlName(control);
    c.Pressed = held;
    c.Description = station ? std::string(verb) : std::string("no station");
    if (station) {
        AppendWords(c.Description, station->Name);
    }
    if (held) {
        AddWord(c.Description, "held");
    }
    return c;
}

std::string BoxText(const char* label, const std::optional<StationMention>& station) {
    std::string text = std::string(label) + ":";
    AppendWords(text, station ? std::string_view(station->Name) : std::string_view("none"));
    return text;
}

}  // namespace

PanelSpeech SpeakPanel(const PanelSnapshot& s) {
    PanelSpeech speech;
    for (std::size_t i = 0; i < s.Keys.size(); ++i) {
        speech.Controls[i] = KeySpeech(s.Keys[i]);
    }
    speech.Controls[kAnswerControl] = HeldSpeech(kAnswerControl, "answers", s.Caller, s.AnswerHeld);
    speech.Controls[kDialControl] = HeldSpeech(kDialControl, "dials", s.Dial, s.DialHeld);
    speech.Calling = BoxText("Calling", s.Caller);
    speech.DialUp = BoxText("Dial Up", s.Dial);
    return speech;
}

}  // namespace kv
