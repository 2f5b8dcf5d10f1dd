#include "command.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

namespace sim {

namespace {

std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
        }
        std::size_t j = i;
        while (j < line.size() && !std::isspace(static_cast<unsigned char>(line[j]))) {
            ++j;
        }
        if (j > i) {
            words.emplace_back(line.substr(i, j - i));
        }
        i = j;
    }
    return words;
}

bool Number(const std::string& word, long long max, long long& value) {
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, value);
    return ec == std::errc{} && ptr == end && value >= 0 && value <= max;
}

// "FE", "0xFE" or a run such as "FE2508".
bool HexBytes(std::string word, Bytes& out) {
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        word.erase(0, 2);
    }
    if (word.empty() || word.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); i += 2) {
        unsigned value = 0;
        const auto [ptr, ec] = std::from_chars(word.data() + i, word.data() + i + 2, value, 16);
        if (ec != std::errc{} || ptr != word.data() + i + 2) {
            return false;
        }
        out.push_back(static_cast<uint8_t>(value));
    }
    return true;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

}  // namespace

std::variant<Command, std::string> ParseCommand(std::string_view line) {
    line = line.substr(0, line.find('#'));
    const std::vector<std::string> w = Words(line);
    Command c;
    if (w.empty()) {
        return c;
    }
    const std::string name = Lower(w[0]);
    const std::size_t args = w.size() - 1;
    const auto usage = [&](const char* form) { return std::string("usage: ") + form; };
    constexpr long long kStationMax = kMax14;

    if (name == "call" || name == "hangup") {
        long long station = 0;
        long long output = 0;
        if (args != 2 || !Number(w[1], kStationMax, station) ||
            !Number(w[2], kStationMax, output)) {
            return usage(name == "call" ? "call STATION OUTPUT" : "hangup STATION OUTPUT");
        }
        c.kind = name == "call" ? Command::Kind::Call : Command::Kind::Hangup;
        c.station = static_cast<int>(station);
        c.output = static_cast<int>(output);
    } else if (name == "clear") {
        long long output = 0;
        if (args != 1 || !Number(w[1], kStationMax, output)) {
            return usage("clear OUTPUT");
        }
        c.kind = Command::Kind::Clear;
        c.output = static_cast<int>(output);
    } else if (name == "silent") {
        const std::string mode = args == 1 ? Lower(w[1]) : "";
        if (mode != "on" && mode != "off") {
            return usage("silent on|off");
        }
        c.kind = Command::Kind::Silent;
        c.on = mode == "on";
    } else if (name == "garbage") {
        for (std::size_t i = 1; i < w.size(); ++i) {
            if (!HexBytes(w[i], c.bytes)) {
                return "garbage: '" + w[i] + "' is not hex bytes";
            }
        }
        if (c.bytes.empty()) {
            return usage("garbage HEX...");
        }
        c.kind = Command::Kind::Garbage;
    } else if (name == "flood" || name == "burst" || name == "wait") {
        static const struct {
            const char* name;
            long long max;
            const char* form;
            Command::Kind kind;
        } kCounted[] = {
            {"flood", kMaxFlood, "flood N (0 to 67108864)", Command::Kind::Flood},
            {"burst", kMaxBurst, "burst N (0 to 1000000)", Command::Kind::Burst},
            {"wait", kMaxWaitMs, "wait MS", Command::Kind::Wait},
        };
        const auto& form = *std::find_if(std::begin(kCounted), std::end(kCounted),
                                         [&](const auto& f) { return name == f.name; });
        if (args != 1 || !Number(w[1], form.max, c.count)) {
            return usage(form.form);
        }
        c.kind = form.kind;
    } else {
        static const std::pair<const char*, Command::Kind> kPlain[] = {
            {"notconnected", Command::Kind::NotConnected},
            {"drop", Command::Kind::Drop},
            {"map", Command::Kind::Map},
            {"stats", Command::Kind::Stats},
            {"quit", Command::Kind::Quit},
        };
        const auto it = std::find_if(std::begin(kPlain), std::end(kPlain),
                                     [&](const auto& p) { return name == p.first; });
        if (it == std::end(kPlain)) {
            return "unknown command '" + w[0] + "' (see --help)";
        }
        if (args != 0) {
            return usage(it->first);
        }
        c.kind = it->second;
    }
    return c;
}

}  // namespace sim
