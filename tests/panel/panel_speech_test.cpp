#include <gtest/gtest.h>

#include "panel/panel_speech.h"

namespace {

std::string States(const kv::ControlSpeech& c) {
    return std::string(c.Pressed ? "pressed " : "") + (c.Checkable ? "checkable " : "") +
           (c.Checked ? "checked " : "") + (c.Animated ? "animated " : "");
}

}  // namespace

TEST(PanelSpeech, KeysReadNumberCaptionTypeAndWhatTheirColourSaysTheBoxesNameTheStations) {
    struct Case {
        kv::KeySnapshot key;  // Index, Line1, Line2, Type, Station, Lit, Flashing, Held, Enabled
        const char *name, *description, *states;
    };
    const Case cases[] = {
        {{2, "STUDIO A", "Talk", "talk", 4, false, false, false, true},
         "Key 3, STUDIO A Talk",
         "off",
         ""},
        {{0, " Audio ", "", "talk", 4, true, true, true, true},
         "Key 1, Audio, talk",
         "lit, flashing for a call, held",
         "pressed animated "},
        {{7, "  CAM  1", " P-Listen", "p-listen", 1, true, false, false, true},
         "Key 8, CAM 1 P-Listen",
         "lit",
         "checkable checked "},
        {{4, "DIRECTOR", "", "listen", 0, false, false, true, false},
         "Key 5, DIRECTOR, listen",
         "held, disabled",
         "pressed checkable "},
        {{5, "", "", "inactive", 0, false, false, false, true}, "Key 6, inactive", "inactive", ""},
        {{6, "Talkback", "\xC9tage", "unknown", 0, false, false, false, true},
         "Key 7, Talkback \xC9tage, unknown",
         "inactive",
         ""},
    };
    for (const Case& c : cases) {
        kv::PanelSnapshot s;
        s.Keys[3] = c.key;
        const kv::ControlSpeech got = kv::SpeakPanel(s).Controls[3];
        EXPECT_EQ(got.Name + " / " + got.Description + " / " + States(got),
                  std::string(c.name) + " / " + c.description + " / " + c.states);
    }

    // The boxes and the held buttons name the stations they show and reach.
    kv::PanelSnapshot s;
    const auto said = [&] {
        const kv::PanelSpeech p = kv::SpeakPanel(s);
        const kv::ControlSpeech &answer = p.Controls[8], &dial = p.Controls[9];
        return p.Calling + " / " + p.DialUp + " / " + answer.Name + ": " + answer.Description +
               " / " + dial.Name + ": " + dial.Description + " " + States(dial);
    };
    EXPECT_EQ(said(),
              "Calling: none / Dial Up: none / Call Answer: no station / Dial Up: no station ");
    s.Caller = kv::StationMention{3, "DIRECTOR  "};
    s.Dial = kv::StationMention{7, "FLOOR MGR"};
    s.DialHeld = true;
    EXPECT_EQ(said(),
              "Calling: DIRECTOR / Dial Up: FLOOR MGR / Call Answer: answers DIRECTOR / "
              "Dial Up: dials FLOOR MGR, held pressed ");
}
