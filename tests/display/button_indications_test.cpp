#include "display/button_indications.h"

#include <gtest/gtest.h>

#include "link_fixture.h"

namespace {

using namespace kv;

constexpr Colour kUntouched{1, 2, 3};

// Eight plain buttons, the own output 1 with an empty crosspoint entry; input i belongs
// to the station of output i + 2, input 3 to none.
class ButtonIndications : public LinkTest {
protected:
    ButtonIndications() {
        v.ButtonTable.assign(9, ButtonRecord{});
        v.CrosspointMap.resize(2);
        v.IcomChannel = {2, 3, 4, kNoStation, 6, 7, 8, 9, 10, 11};
        for (ButtonFace& face : w.Buttons) {
            face.BackColour = kUntouched;
        }
    }
    void Sources(std::vector<int16_t> inputs, uint8_t level = 1) {
        v.CrosspointMap[1].Count = static_cast<uint8_t>(inputs.size());
        std::copy(inputs.begin(), inputs.end(), v.CrosspointMap[1].Sources.begin());
        v.CrosspointMap[1].Level = level;
    }
    ButtonRecord& Button(int i, uint8_t type, int16_t first, int16_t calling = kFalse) {
        v.ButtonTable[i] = {type, first, calling, 0, 1, {}, 0};
        return v.ButtonTable[i];
    }
    // One poll timer tick for button i; the colour it ends with.
    Colour Tick(int16_t i) {
        ++v.TickCount;
        DetermineButtonFlash(v, w, i);
        return w.Buttons[i].BackColour;
    }
};

TEST_F(ButtonIndications, CallFlashesOnEvenTicksWhileCallingThenForTheOverhang) {
    ButtonRecord& b = Button(2, kTalk, 6, kTrue);
    Sources({4});
    EXPECT_EQ(Tick(2), kUntouched);  // an odd tick does not light it
    EXPECT_EQ(Tick(2), kTalkColour);
    EXPECT_EQ(Tick(2), kOffColour);
    Sources({});
    int lit = 0;
    for (int tick = 1; tick <= 20; ++tick) {
        lit += Tick(2) == kTalkColour ? 1 : 0;
        ASSERT_EQ(b.CallFlash, kTrue) << tick;
    }
    EXPECT_EQ(lit, 10);
    b.State = 10;  // lit as the overhang runs out
    Tick(2);
    EXPECT_EQ(b.CallFlash + b.State + b.OverhangCount, 0);
    EXPECT_EQ(w.Buttons[2].BackColour, kOffColour);
}

TEST_F(ButtonIndications, CallerIsThereWhileASourceBelongsToTheButtonsStation) {
    const std::pair<std::vector<int16_t>, int16_t> calls[] = {
        {{4}, 6}, {{4}, 5}, {{4}, 4}, {{12, 3, 4}, 6}, {{3}, kNoStation}, {{9, 4, 2}, 6}};
    for (const auto& [sources, first] : calls) {
        Button(0, kTalk, first, kTrue);
        Sources(sources);
        Tick(0);
        EXPECT_EQ(v.ButtonTable[0].OverhangCount, first == 6 ? 0 : 20)
            << first << " " << sources[0];
    }
    EXPECT_EQ(LogCount(), 0);  // inputs beyond the channel table are no fault
}

TEST_F(ButtonIndications, FlashStateAndFlashOffPickTheStationsTalkButtons) {
    const auto calling = [this] {
        return std::vector<int16_t>({v.ButtonTable[0].CallFlash, v.ButtonTable[1].CallFlash,
                                     v.ButtonTable[2].CallFlash, v.ButtonTable[8].CallFlash});
    };
    v.LastCaller = 7;
    Button(0, kTalk, 7).State = 10;
    Button(1, kListen, 7);
    Button(2, kTalk, 8);
    Button(8, kTalk, 7);  // the record past the last button is no button
    DetermineButtonFlashState(v, w);
    EXPECT_EQ(calling(), std::vector<int16_t>({kTrue, kFalse, kFalse, kFalse}));
    for (int i : {1, 2, 8}) {
        v.ButtonTable[i].CallFlash = kTrue;
    }
    DetermineButtonFlashOff(v, w, 7);
    EXPECT_EQ(calling(), std::vector<int16_t>({kFalse, kTrue, kTrue, kTrue}));
    EXPECT_EQ(w.Buttons[0].BackColour, kOffColour);
    EXPECT_EQ(w.Buttons[2].BackColour, kUntouched);
}

TEST_F(ButtonIndications, ListenButtonsFollowTheOwnOutput) {
    Button(0, kListen, 4);
    Button(1, kPListen, 4);
    Button(2, kTalk, 4).State = 1;
    Button(3, kListen, 6);
    Button(4, kListen, 4).ListCount = 0;  // no station configured: never lit
    const Colour u = kUntouched, off = kOffColour, l = kListenColour, p = kPListenColour;
    const std::tuple<std::vector<int16_t>, uint8_t, std::vector<Colour>> steps[] = {
        {{4}, 0, {l, u, u, u, u}},         {{4}, 1, {off, p, u, u, u}},
        {{2, 9, 4}, 1, {off, p, u, u, u}},  // a match further down the list
        {{2}, 1, {off, off, u, u, u}},     {{4}, 0, {l, off, u, u, u}},
        {{}, 0, {off, off, u, u, u}},
    };
    for (const auto& [sources, level, colours] : steps) {
        Sources(sources, level);
        DetermineListenButtons(v, w);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(w.Buttons[i].BackColour, colours[i]) << "button " << i;
            const bool lit = colours[i] == l || colours[i] == p || i == 2;
            EXPECT_EQ(v.ButtonTable[i].State, lit ? 1 : 0) << "button " << i;
        }
    }
    v.AssignedOutput = 20;
    DetermineListenButtons(v, w);
    EXPECT_EQ(LogCount("Error Determining Listen Buttons: Error #  9"), 1);
}

}  // namespace
