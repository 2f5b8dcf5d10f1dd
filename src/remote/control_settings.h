#pragma once

#include <string>

// The operator's choice for the control API, kept in keyvane.conf ([control]).

namespace kv::remote {

struct ControlSettings {
    bool Enabled = false;
    std::string Address = "127.0.0.1";
    int Port = 9180;
    int LeaseSeconds = 20;
    friend bool operator==(const ControlSettings&, const ControlSettings&) = default;
};

inline constexpr int kShortestLease = 1;
inline constexpr int kLongestLease = 3600;

// Empty when the settings can be used; else what is wrong, for the operator.
// addressValid says whether the address text is an IP address (the view parses it).
std::string CheckSettings(const ControlSettings& s, bool addressValid);

// The dialog's boxes as typed.
struct SettingsForm {
    bool Enabled = false;
    std::string Address, Port, LeaseSeconds;
};

// Reads the form into out; empty when it can be used, else what is wrong.
std::string ReadForm(const SettingsForm& form, bool addressValid, ControlSettings& out);

}  // namespace kv::remote
