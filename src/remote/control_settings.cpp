#include "remote/control_settings.h"

#include <algorithm>
#include <cctype>

namespace kv::remote {

std::string CheckSettings(const ControlSettings& s, bool addressValid) {
    if (!addressValid) {
        return "The address must be an IP address, such as 127.0.0.1.";
    }
    if (s.Port < 0 || s.Port > 65535) {
        return "The port must be a number from 0 to 65535 (0 picks a free port).";
    }
    if (s.LeaseSeconds < kShortestLease || s.LeaseSeconds > kLongestLease) {
        return "The lease must be from 1 to 3600 seconds.";
    }
    return {};
}

namespace {

// A whole number typed in a box, or -1 when the text is not one.
int ReadWholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 6 ||
        !std::ranges::all_of(text, [](unsigned char c) { return std::isdigit(c) != 0; })) {
        return -1;
    }
    return std::stoi(text);
}

}  // namespace

std::string ReadForm(const SettingsForm& form, bool addressValid, ControlSettings& out) {
    ControlSettings s;
    s.Enabled = form.Enabled;
    s.Address = form.Address;
    s.Port = ReadWholeNumber(form.Port);
    s.LeaseSeconds = ReadWholeNumber(form.LeaseSeconds);
    std::string problem = CheckSettings(s, addressValid);
    if (problem.empty()) {
        out = s;
    }
    return problem;
}

}  // namespace kv::remote
