#include "remote/panel_json.h"

#include <nlohmann/json.hpp>

namespace kv::remote {
namespace {

using json = nlohmann::ordered_json;

json Station(const std::optional<StationMention>& mention) {
    if (!mention) {
        return nullptr;
    }
    return {{"station", mention->Station}, {"name", Latin1ToUtf8(mention->Name)}};
}

std::string Dump(const json& j) {
    return j.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace

std::string Latin1ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (u >> 6));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}

std::optional<std::string> Utf8ToLatin1(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto u = static_cast<unsigned char>(text[i]);
        if (u < 0x80) {
            out += static_cast<char>(u);
            continue;
        }
        // Only C2 and C3 lead bytes carry U+0080..U+00FF.
        if ((u != 0xC2 && u != 0xC3) || i + 1 >= text.size()) {
            return std::nullopt;
        }
        const auto next = static_cast<unsigned char>(text[++i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        out += static_cast<char>(((u & 0x03) << 6) | (next & 0x3F));
    }
    return out;
}

std::string PanelJson(const PanelSnapshot& s) {
    json keys = json::array();
    for (const KeySnapshot& k : s.Keys) {
        keys.push_back({{"index", k.Index},
                        {"line1", Latin1ToUtf8(k.Line1)},
                        {"line2", Latin1ToUtf8(k.Line2)},
                        {"type", k.Type},
                        {"station", k.Station},
                        {"lit", k.Lit},
                        {"flashing", k.Flashing},
                        {"held", k.Held},
                        {"enabled", k.Enabled}});
    }
    return Dump({{"connected", s.Connected},
                 {"caption", Latin1ToUtf8(s.Caption)},
                 {"caller", Station(s.Caller)},
                 {"dial", Station(s.Dial)},
                 {"keys", std::move(keys)}});
}

std::string ErrorJson(std::string_view text) {
    return Dump({{"error", std::string(text)}});
}

}  // namespace kv::remote
