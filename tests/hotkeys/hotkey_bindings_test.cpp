#include <gtest/gtest.h>

#include "hotkeys/hotkey_bindings.h"

using namespace kv;

TEST(HotkeyChord, ReadsQtsTextAndHandWrittenVariantsAlike) {
    struct Row {
        const char* text;
        const char* canonical;
        uint32_t keysym;
        uint16_t xMask;
    };
    const Row rows[] = {{"F9", "F9", 0xffc6, 0},
                        {" ctrl+shift+t ", "Ctrl+Shift+T", 't', 0x05},
                        {"Meta+Alt+f12", "Alt+Meta+F12", 0xffc9, 0x48},
                        {"b", "B", 'b', 0},
                        {"Ctrl++", "Ctrl++", '+', 0x04},
                        {"pgdown", "PgDown", 0xff56, 0},
                        {"Shift+Space", "Shift+Space", 0x20, 0x01},
                        {"F35", "F35", 0xffe0, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const std::optional<HotkeyChord> chord = ReadChord(r.text);
        ASSERT_TRUE(chord.has_value());
        EXPECT_EQ(ChordText(*chord), r.canonical);
        EXPECT_EQ(chord->KeySym, r.keysym);
        EXPECT_EQ(XModifierMask(chord->Modifiers), r.xMask);
        // Lock (0x02) and NumLock (0x10) in the event's state change nothing.
        EXPECT_EQ(ModifiersOfXState(r.xMask | 0x12), chord->Modifiers);
        EXPECT_EQ(ReadChord(ChordText(*chord)), chord);
    }
    for (const char* text : {"", "Ctrl+", "Shift", "Hyper+A", "F0", "F36", "Volume Up", "\xe9"}) {
        EXPECT_EQ(ReadChord(text), std::nullopt) << text;
    }
}

TEST(HotkeyBindings, AChordBindsOneControlOnlyAndClearFreesIt) {
    HotkeyBindings b;
    EXPECT_EQ(Bind(b, 2, "F9"), std::nullopt);
    EXPECT_EQ(Bind(b, 2, "f9"), std::nullopt);  // its own chord again
    EXPECT_EQ(Bind(b, kAnswerControl, "F9"), "F9 is already bound to Key 3");
    EXPECT_EQ(Bind(b, 0, "Ctrl+F9"), std::nullopt);  // another chord of the same key
    EXPECT_EQ(Bind(b, kDialControl, "ctrl+f9"), "Ctrl+F9 is already bound to Key 1");
    EXPECT_EQ(Bind(b, kDialControl, "Nope"), "\"Nope\" is not a key the panel can bind");
    EXPECT_EQ(Bind(b, kPanelControls, "F1"), "there is no control 11");
    EXPECT_FALSE(b.Chords[kAnswerControl] || b.Chords[kDialControl]);
    EXPECT_EQ(ControlOf(b, *ReadChord("F9")), 2);

    EXPECT_EQ(Bind(b, 2, "F10"), std::nullopt);  // rebinding frees F9
    EXPECT_EQ(Bind(b, kAnswerControl, "F9"), std::nullopt);
    Clear(b, kAnswerControl);
    EXPECT_EQ(ControlOf(b, *ReadChord("F9")), std::nullopt);
    EXPECT_EQ(Bind(b, kDialControl, "F9"), std::nullopt);
    PanelSnapshot s;
    s.Keys[0].Line1 = " STUDIO A ";
    s.Keys[0].Line2 = "Talk";
    s.Keys[1].Line2 = "PGM";
    EXPECT_EQ(RowLabel(0, s), "Key 1 STUDIO A Talk");
    EXPECT_EQ(RowLabel(1, s), "Key 2 PGM");
    EXPECT_EQ(RowLabel(2, s), "Key 3");
    EXPECT_EQ(RowLabel(kDialControl, s), "Dial Up");
}

TEST(HotkeyBindings, TheSectionRoundTripsAndNamesWhatItCannotTake) {
    const ReadBindings read = ReadSection({{"key1", "F9"},
                                           {"key3", "ctrl+shift+t"},
                                           {"answer", "Pause"},
                                           {"dial", "f9"},
                                           {"key8", "Foo+X"},
                                           {"key5", ""},
                                           {"other", "F1"}});
    EXPECT_EQ(read.Problems,
              (std::vector<std::string>{"key8=Foo+X: \"Foo+X\" is not a key the panel can bind",
                                        "dial=f9: F9 is already bound to Key 1"}));
    const auto values = SectionValues(read.Bindings);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"key1", "F9"}, {"key2", ""}, {"key3", "Ctrl+Shift+T"},
        {"key4", ""},   {"key5", ""}, {"key6", ""},
        {"key7", ""},   {"key8", ""}, {"answer", "Pause"},
        {"dial", ""}};
    EXPECT_EQ(values, expected);
    const ReadBindings again = ReadSection(values);
    EXPECT_TRUE(again.Problems.empty());
    EXPECT_EQ(again.Bindings.Chords, read.Bindings.Chords);
}
