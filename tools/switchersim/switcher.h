#pragma once

#include <string>
#include <vector>

// The switcher: N stations, each with one input and one output. Every output
// holds the inputs that feed it, in the order they joined, and one level.

namespace sim {

// The panel's map decoder stops at a block with more entries than this.
inline constexpr int kMaxSourcesPerOutput = 64;

inline constexpr int kMakeListen = 36;  // make at level 0
inline constexpr int kMakeTalk = 37;    // make at level 1
inline constexpr int kBreakListen = 32;
inline constexpr int kBreakTalk = 33;

struct OutputState {
    int level = 0;
    std::vector<int> sources;
};

enum class ChangeResult { Applied, OutOfRange, UnknownCode, Full };

class Switcher {
public:
    // Names are already padded to the alpha table's width.
    explicit Switcher(std::vector<std::string> names);

    int Stations() const { return static_cast<int>(names_.size()); }
    const std::vector<std::string>& Names() const { return names_; }
    const OutputState& Output(int output) const { return outputs_.at(static_cast<size_t>(output)); }
    bool InRange(int station) const { return station >= 0 && station < Stations(); }

    ChangeResult Apply(int code, int input, int output);
    // Empties the output's set; false when the output is out of range.
    bool Clear(int output);

private:
    std::vector<std::string> names_;
    std::vector<OutputState> outputs_;
};

}  // namespace sim
