#pragma once

#include <string>

// What the server has seen since it started, for the stats command.

namespace sim {

struct Stats {
    long long panels = 0;         // connected now
    long long messagesIn = 0;     // every message cut from a panel's stream, good or bad
    long long pollsAnswered = 0;  // 0xF5 answered with 0xF4
    long long changes = 0;        // crosspoint changes applied
    long long bad = 0;            // failed a check, unknown, cut short or overlong
    long long ignored = 0;        // well-formed changes the switcher could not carry out
    long long pollAnswers = 0;    // 0xF4 from a panel
    long long typeReplies = 0;    // well-formed type replies
    long long stray = 0;          // stray data bytes dropped
};

// "stats panels=1 in=12 polls-answered=3 changes=2 bad=0 ignored=0 poll-answers=4
// type-replies=1 stray=0"
std::string FormatStats(const Stats& s);

}  // namespace sim
