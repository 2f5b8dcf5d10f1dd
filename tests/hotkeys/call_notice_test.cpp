#include <gtest/gtest.h>

#include "hotkeys/call_notice.h"

using namespace kv;

// What the panel shows at each render, and the step the notice takes for it.
TEST(CallNotice, ShownOncePerCallChangedInPlaceWithdrawnWhenEndedOrAnswered) {
    const StationMention studio{4, "STUDIO"}, renamed{4, "STUDIO A"}, floor{7, "FLOOR"};
    using A = NoticeAction;
    struct Step {
        std::optional<StationMention> caller;
        bool answering;
        NoticeAction action;
    };
    const std::vector<Step> steps{
        {std::nullopt, false, A::Nothing},
        {studio, false, A::Show},
        {studio, false, A::Nothing},  // the same call at the next render
        {renamed, false, A::Show},    // its name came in: the notice changes in place
        {floor, false, A::Show},      // another caller: the notice is replaced
        {floor, true, A::Close},      // answered
        {floor, false, A::Nothing},   // still talking after the answer: no new notice
        {std::nullopt, false, A::Nothing},
        {floor, false, A::Show},  // a new call of the same station
        {std::nullopt, false, A::Close},
        {studio, true, A::Nothing},  // answered before any render saw it
        {floor, false, A::Show},
    };
    CallNotice n;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(NextNotice(n, steps[i].caller, steps[i].answering), steps[i].action);
    }
}

TEST(CallNotice, ACallLastsWhileSomeoneTalksToThePanelAndIsAnsweredByCallAnswerOrTalkBack) {
    PanelSnapshot s;
    s.Caller = StationMention{4, "STUDIO"};
    IntercVariables v;
    v.AssignedOutput = 2;
    v.CrosspointMap.resize(3);
    EXPECT_EQ(LiveCaller(v, s), std::nullopt);  // the caller named after the call
    v.CrosspointMap[2].Count = 1;
    EXPECT_EQ(LiveCaller(v, s), s.Caller);
    v.AssignedOutput = 3;
    EXPECT_EQ(LiveCaller(v, s), std::nullopt);

    const auto key = [&](std::size_t i, const char* type, int16_t station, bool held) {
        s.Keys[i].Type = type;
        s.Keys[i].Station = station;
        s.Keys[i].Held = held;
    };
    key(1, "talk", 4, false);
    key(2, "listen", 4, true);
    key(3, "talk", 5, true);
    EXPECT_FALSE(Answering(s));
    s.Keys[1].Held = true;
    EXPECT_TRUE(Answering(s));
    s.Keys[1].Held = false;
    s.AnswerHeld = true;
    EXPECT_TRUE(Answering(s));
}
