#include <gtest/gtest.h>

#include "panel/control_holds.h"
#include "panel/panel_speech.h"

namespace {

kv::KeySnapshot Key(int index, std::string line1, std::string line2, std::string type) {
    kv::KeySnapshot k;
    k.Index = index;
    k.Line1 = std::move(line1);
    k.Line2 = std::move(line2);
    k.Type = std::move(type);
    return k;
}

}  // namespace

TEST(PanelSpeech, EachKeyReadsItsNumberCaptionTypeAndWhatItsColourSays) {
    struct Case {
        kv::KeySnapshot key;
        bool lit, flashing, held, enabled;
        const char* name;
        const char* description;
        bool checkable;
    };
    const Case cases[] = {
        {Key(2, "STUDIO A", "Talk", "talk"), false, false, false, true, "Key 3, STUDIO A Talk",
         "off", false},
        {Key(0, " Audio ", "", "talk"), false, true, true, true, "Key 1, Audio, talk",
         "flashing for a call, held", false},
        {Key(7, "  CAM  1", " P-Listen", "p-listen"), true, false, false, true,
         "Key 8, CAM 1 P-Listen", "lit", true},
        {Key(4, "DIRECTOR", "", "listen"), true, false, true, false, "Key 5, DIRECTOR, listen",
         "lit, held, disabled", true},
        {Key(5, "", "", "inactive"), false, false, false, true, "Key 6, inactive", "inactive",
         false},
        {Key(6, "Talkback", "\xC9tage", "unknown"), false, false, false, true,
         "Key 7, Talkback \xC9tage, unknown", "inactive", false},
    };
    for (const Case& c : cases) {
        kv::PanelSnapshot s;
        kv::KeySnapshot key = c.key;
        key.Lit = c.lit;
        key.Flashing = c.flashing;
        key.Held = c.held;
        key.Enabled = c.enabled;
        s.Keys[static_cast<std::size_t>(key.Index)] = key;
        const kv::ControlSpeech got =
            kv::SpeakPanel(s).Controls[static_cast<std::size_t>(key.Index)];
        EXPECT_EQ(got.Name, c.name);
        EXPECT_EQ(got.Description, c.description) << c.name;
        EXPECT_EQ(got.Pressed, c.held) << c.name;
        EXPECT_EQ(got.Checkable, c.checkable) << c.name;
        EXPECT_EQ(got.Checked, c.checkable && c.lit) << c.name;  // a lit Talk key is no toggle
        EXPECT_EQ(got.Animated, c.flashing) << c.name;
        EXPECT_EQ(got.Enabled, c.enabled) << c.name;
    }
}

TEST(PanelSpeech, TheBoxesNameCallerAndDialStationAndTheHeldButtonsSayWhomTheyReach) {
    kv::PanelSnapshot s;
    kv::PanelSpeech none = kv::SpeakPanel(s);
    EXPECT_EQ(none.Calling, "Calling: none");
    EXPECT_EQ(none.DialUp, "Dial Up: none");
    EXPECT_EQ(none.Controls[kv::kAnswerControl].Name, "Call Answer");
    EXPECT_EQ(none.Controls[kv::kAnswerControl].Description, "no station");
    EXPECT_EQ(none.Controls[kv::kDialControl].Name, "Dial Up");

    s.Caller = kv::StationMention{3, "DIRECTOR  "};
    s.Dial = kv::StationMention{7, "FLOOR MGR"};
    s.DialHeld = true;
    const kv::PanelSpeech some = kv::SpeakPanel(s);
    EXPECT_EQ(some.Calling, "Calling: DIRECTOR");
    EXPECT_EQ(some.DialUp, "Dial Up: FLOOR MGR");
    EXPECT_EQ(some.Controls[kv::kAnswerControl].Description, "answers DIRECTOR");
    EXPECT_FALSE(some.Controls[kv::kAnswerControl].Pressed);
    EXPECT_EQ(some.Controls[kv::kDialControl].Description, "dials FLOOR MGR, held");
    EXPECT_TRUE(some.Controls[kv::kDialControl].Pressed);
    EXPECT_NE(some, none);  // the view re-announces on any of these
}
