#include "station_names.h"

namespace sim {

std::vector<std::string> DefaultNames(int stations) {
    static const char* const kNamed[] = {"DIRECTOR", "CAMERA 1", "CAMERA 2", "STUDIO A",
                                         "AUDIO",    "LIGHTING", "PRODUCER", "FLOOR MGR"};
    constexpr int kNamedCount = static_cast<int>(std::size(kNamed));
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(stations));
    for (int i = 0; i < stations; ++i) {
        names.push_back(i < kNamedCount ? kNamed[i] : "STATION " + std::to_string(i + 1));
    }
    return names;
}

void ApplyNameLines(std::string_view text, std::vector<std::string>& names) {
    std::size_t station = 0;
    while (!text.empty() && station < names.size()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(" \t") != std::string_view::npos) {
            names[station] = std::string(line);
        }
        ++station;
    }
}

std::vector<std::string> FitNames(const std::vector<std::string>& names, int width) {
    std::vector<std::string> fitted;
    fitted.reserve(names.size());
    for (const std::string& name : names) {
        std::string f = name.substr(0, static_cast<size_t>(width));
        for (char& ch : f) {
            const auto b = static_cast<unsigned char>(ch);
            if (b < 0x20 || b > 0x7E) {
                ch = '?';
            }
        }
        f.resize(static_cast<size_t>(width), ' ');
        fitted.push_back(std::move(f));
    }
    return fitted;
}

}  // namespace sim
