#include <gtest/gtest.h>

#include "diag/error_log.h"
#include "display/button_indications.h"
#include "temp_dir.h"

namespace kv {
namespace {

constexpr Colour kUntouched{1, 2, 3};

// Eight buttons after setup, the own output 3 with an empty crosspoint entry;
// input i belongs to the station of output i + 2, input 3 to none.
class ButtonIndications : public ::testing::Test {
protected:
    void SetUp() override {
        v.ProgramDirectory = dir.dir();
        v.ButtonCount = 8;
        v.ButtonTable.assign(9, ButtonRecord{});
        v.ButtonLabels.assign(9, ButtonLabel{});
        v.CrosspointMap.assign(8, CrosspointEntry{});
        v.AssignedOutput = 3;
        v.OverHang = 20;
        for (int16_t input = 0; input < 10; ++input) {
            v.IcomChannel.push_back(input == 3 ? kNoStation : int16_t(input + 2));
        }
        for (ButtonFace& face : w.Buttons) {
            face.BackColour = kUntouched;
        }
    }
    CrosspointEntry& Own() { return v.CrosspointMap[3]; }
    void Sources(std::initializer_list<int16_t> inputs, uint8_t level = 1) {
        Own().Count = 0;
        for (int16_t input : inputs) {
            Own().Sources[Own().Count++] = input;
        }
        Own().Level = level;
    }
    ButtonRecord& Button(int i, uint8_t type, int16_t first, int16_t listCount = 1) {
        ButtonRecord& b = v.ButtonTable[i];
        b.Type = type;
        b.First = first;
        b.ListCount = listCount;
        return b;
    }
    int LogEntries(const std::string& text) const {
        const std::string log = dir.Read(kErrorLogName);
        int count = 0;
        for (auto at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) {
            ++count;
        }
        return count;
    }
    // One poll timer tick for button i.
    void Tick(int16_t i) {
        ++v.TickCount;
        DetermineButtonFlash(v, w, i);
    }

    TempDir dir;
    IntercVariables v;
    MainWindowView w;
};

TEST_F(ButtonIndications, LabelButtonsWritesCaptionsAndBaseColours) {
    v.ButtonLabels[0] = {"AB", ""};
    v.ButtonLabels[1] = {"Studio", "Talk"};
    Button(1, kListen, 4).State = 1;
    Button(2, kInactive, 0);
    Button(3, kInactive, 0);
    Button(4, kSalvo, 0);
    w.Buttons[2].Enabled = false;
    w.Buttons[3].Enabled = true;
    w.Buttons[4].Enabled = false;
    LabelButtons(v, w);
    EXPECT_EQ(w.Buttons[0].Caption, "AB\r");
    EXPECT_EQ(w.Buttons[1].Caption, "Studio\rTalk");
    EXPECT_EQ(w.Buttons[1].BackColour, kOffColour);  // lit, but relabelled
    EXPECT_EQ(v.ButtonTable[1].State, 1);
    EXPECT_EQ(w.Buttons[2].BackColour, kInactiveColour);
    EXPECT_FALSE(w.Buttons[2].Enabled);
    EXPECT_EQ(w.Buttons[3].BackColour, kInactiveColour);
    EXPECT_TRUE(w.Buttons[3].Enabled);
    EXPECT_EQ(w.Buttons[4].BackColour, kOffColour);
    EXPECT_TRUE(w.Buttons[4].Enabled);
    EXPECT_FALSE(dir.Exists(kErrorLogName));
}

TEST_F(ButtonIndications, MoreButtonsThanTheWindowStopAtTheFirstMissingOne) {
    v.ButtonCount = 9;
    v.ButtonTable.assign(10, ButtonRecord{});
    for (int i = 0; i < 9; ++i) {
        v.ButtonLabels[i] = {"L" + std::to_string(i), ""};
    }
    LabelButtons(v, w);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(w.Buttons[i].Caption, "L" + std::to_string(i) + "\r");
        EXPECT_EQ(w.Buttons[i].BackColour, kUntouched);
    }
    EXPECT_EQ(LogEntries("Error Labeling Buttons: Error #  9 - Subscript out of range"), 1);
    EXPECT_EQ(LogEntries("Button Error"), 1);

    // The same for the call indication off: button 0 is done, 8 is missing.
    Button(0, kTalk, 5).CallFlash = kTrue;
    Button(8, kTalk, 5).CallFlash = kTrue;
    DetermineButtonFlashOff(v, w, 5);
    EXPECT_EQ(v.ButtonTable[0].CallFlash, kFalse);
    EXPECT_EQ(w.Buttons[0].BackColour, kOffColour);
    EXPECT_EQ(LogEntries("Error Determining Button Flash Off: Error #  9"), 1);
}

TEST_F(ButtonIndications, CallFlashesWhileCallingThenForTheOverhang) {
    ButtonRecord& b = Button(2, kTalk, 6);
    b.CallFlash = kTrue;
    Sources({4});
    // Lit on even ticks, dark on the tick after; the overhang does not run.
    Tick(2);
    EXPECT_EQ(b.State, 0);
    EXPECT_EQ(w.Buttons[2].BackColour, kUntouched);
    Tick(2);
    EXPECT_EQ(b.State, 10);
    EXPECT_EQ(w.Buttons[2].BackColour, kTalkColour);
    Tick(2);
    EXPECT_EQ(b.State, 0);
    EXPECT_EQ(w.Buttons[2].BackColour, kOffColour);
    EXPECT_EQ(b.OverhangCount, 0);

    Sources({});
    int litTicks = 0;
    for (int tick = 1; tick <= 20; ++tick) {
        Tick(2);
        EXPECT_EQ(b.CallFlash, kTrue) << tick;
        litTicks += b.State == 10 ? 1 : 0;
    }
    EXPECT_EQ(litTicks, 10);
    EXPECT_EQ(b.OverhangCount, 1);
    Tick(2);
    EXPECT_EQ(b.CallFlash, kFalse);
    EXPECT_EQ(b.State, 0);
    EXPECT_EQ(b.OverhangCount, 0);
    EXPECT_EQ(w.Buttons[2].BackColour, kOffColour);
}

TEST_F(ButtonIndications, CallerIsThereWhileASourceBelongsToTheButtonsStation) {
    struct Case {
        std::initializer_list<int16_t> sources;
        int16_t first;
        bool there;
    };
    for (const Case& c : {Case{{4}, 6, true}, Case{{4}, 5, false}, Case{{4}, 4, false},
                          Case{{12, 3, 4}, 6, true}, Case{{3}, kNoStation, false}}) {
        ButtonRecord& b = Button(0, kTalk, c.first);
        b.CallFlash = kTrue;
        b.OverhangCount = 0;
        Sources(c.sources);
        Tick(0);
        EXPECT_EQ(b.OverhangCount, c.there ? 0 : 20) << c.first << " from " << *c.sources.begin();
    }
    EXPECT_FALSE(dir.Exists(kErrorLogName));  // inputs beyond the channel table are no fault
}

TEST_F(ButtonIndications, OverhangPausesWhileTheCallerIsBack) {
    ButtonRecord& b = Button(0, kTalk, 6);
    b.CallFlash = kTrue;
    Sources({9, 2});
    for (int tick = 0; tick < 5; ++tick) {
        Tick(0);
    }
    EXPECT_EQ(b.OverhangCount, 16);
    Sources({9, 4, 2});  // the caller is back, not in first place
    for (int tick = 0; tick < 3; ++tick) {
        Tick(0);
    }
    EXPECT_EQ(b.OverhangCount, 16);
    Sources({});
    Tick(0);
    EXPECT_EQ(b.OverhangCount, 15);

    // A held button keeps its colour while the count goes on.
    b.State = 1;
    w.Buttons[0].BackColour = kUntouched;
    Tick(0);
    Tick(0);
    EXPECT_EQ(b.State, 1);
    EXPECT_EQ(w.Buttons[0].BackColour, kUntouched);
    EXPECT_EQ(b.OverhangCount, 13);
}

TEST_F(ButtonIndications, FlashFailuresAreLogged) {
    Button(0, kTalk, 5).CallFlash = kTrue;
    v.AssignedOutput = 8;  // beyond the map
    DetermineButtonFlash(v, w, 0);
    DetermineButtonFlash(v, w, 9);
    EXPECT_EQ(LogEntries("Error Determining Button Flash: Error #  9"), 2);
    EXPECT_EQ(v.ButtonTable[0].OverhangCount, 0);

    v.AssignedOutput = 3;
    Own().Count = 66;  // more entries than sources
    DetermineButtonFlash(v, w, 0);
    EXPECT_EQ(LogEntries("Error Determining Button Flash: Error #  9"), 3);
}

TEST_F(ButtonIndications, FlashStateAndFlashOffPickTheStationsTalkButtons) {
    v.LastCaller = 7;
    Button(0, kTalk, 7).State = 10;
    Button(1, kListen, 7);
    Button(2, kTalk, 8);
    Button(3, kTalk, 7).OverhangCount = 6;
    DetermineButtonFlashState(v, w);
    EXPECT_EQ(v.ButtonTable[0].CallFlash, kTrue);
    EXPECT_EQ(v.ButtonTable[1].CallFlash, kFalse);
    EXPECT_EQ(v.ButtonTable[2].CallFlash, kFalse);
    EXPECT_EQ(v.ButtonTable[3].CallFlash, kTrue);
    EXPECT_EQ(w.Buttons[0].BackColour, kUntouched);

    v.ButtonTable[1].CallFlash = kTrue;
    v.ButtonTable[2].CallFlash = kTrue;
    DetermineButtonFlashOff(v, w, 7);
    EXPECT_EQ(v.ButtonTable[0].CallFlash, kFalse);
    EXPECT_EQ(v.ButtonTable[0].State, 10);
    EXPECT_EQ(w.Buttons[0].BackColour, kOffColour);
    EXPECT_EQ(v.ButtonTable[1].CallFlash, kTrue);
    EXPECT_EQ(v.ButtonTable[2].CallFlash, kTrue);
    EXPECT_EQ(w.Buttons[2].BackColour, kUntouched);
    EXPECT_EQ(v.ButtonTable[3].CallFlash, kFalse);
    EXPECT_EQ(v.ButtonTable[3].OverhangCount, 6);
    EXPECT_FALSE(dir.Exists(kErrorLogName));
}

TEST_F(ButtonIndications, ListenButtonsFollowTheOwnOutput) {
    ButtonRecord& listen = Button(0, kListen, 4);
    ButtonRecord& pListen = Button(1, kPListen, 4);
    ButtonRecord& talk = Button(2, kTalk, 4);
    ButtonRecord& darkListen = Button(3, kListen, 6);
    talk.State = 1;

    Sources({4}, 0);
    DetermineListenButtons(v, w);
    EXPECT_EQ(listen.State, 1);
    EXPECT_EQ(w.Buttons[0].BackColour, kListenColour);
    EXPECT_EQ(pListen.State, 0);
    EXPECT_EQ(w.Buttons[1].BackColour, kUntouched);
    EXPECT_EQ(darkListen.State, 0);
    EXPECT_EQ(w.Buttons[3].BackColour, kUntouched);

    Sources({4}, 1);
    DetermineListenButtons(v, w);
    EXPECT_EQ(listen.State, 0);
    EXPECT_EQ(w.Buttons[0].BackColour, kOffColour);
    EXPECT_EQ(pListen.State, 1);
    EXPECT_EQ(w.Buttons[1].BackColour, kPListenColour);

    // A match further down the list ends lit.
    Sources({2, 9, 4}, 1);
    DetermineListenButtons(v, w);
    EXPECT_EQ(pListen.State, 1);
    EXPECT_EQ(w.Buttons[1].BackColour, kPListenColour);

    Sources({2}, 1);
    DetermineListenButtons(v, w);
    EXPECT_EQ(pListen.State, 0);
    EXPECT_EQ(w.Buttons[1].BackColour, kOffColour);

    listen.State = 1;
    pListen.State = 1;
    w.Buttons[3].BackColour = kUntouched;
    Sources({});
    DetermineListenButtons(v, w);
    EXPECT_EQ(listen.State, 0);
    EXPECT_EQ(pListen.State, 0);
    EXPECT_EQ(w.Buttons[0].BackColour, kOffColour);
    EXPECT_EQ(w.Buttons[1].BackColour, kOffColour);
    EXPECT_EQ(w.Buttons[3].BackColour, kUntouched);  // unlit stays as it was
    EXPECT_EQ(talk.State, 1);                        // other types are skipped
    EXPECT_EQ(w.Buttons[2].BackColour, kUntouched);
}

TEST_F(ButtonIndications, ListenButtonWithoutConfiguredStationNeverChanges) {
    ButtonRecord& unset = Button(0, kListen, 4, 0);
    ButtonRecord& unsetLit = Button(1, kListen, 4, 0);
    unsetLit.State = 1;
    Sources({4}, 0);
    DetermineListenButtons(v, w);
    Sources({5}, 0);
    DetermineListenButtons(v, w);
    EXPECT_EQ(unset.State, 0);
    EXPECT_EQ(unsetLit.State, 1);
    EXPECT_EQ(w.Buttons[0].BackColour, kUntouched);
    EXPECT_EQ(w.Buttons[1].BackColour, kUntouched);

    v.AssignedOutput = 20;
    DetermineListenButtons(v, w);
    EXPECT_EQ(LogEntries("Error Determining Listen Buttons: Error #  9"), 1);
}

}  // namespace
}  // namespace kv
