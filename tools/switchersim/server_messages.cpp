#include "server_messages.h"

#include "panel_messages.h"

namespace sim {

Bytes AlphaTable(int type, int width, const Switcher& switcher) {
    const int n = switcher.Stations();
    Bytes m{kAlphaTable, static_cast<uint8_t>(type), static_cast<uint8_t>(width)};
    Put14(m, n);
    Put14(m, 0);
    for (int k = 0; k < n; ++k) {
        const std::string& name = switcher.Names()[static_cast<size_t>(k)];
        for (int c = 0; c < width; ++c) {
            const auto ch = c < static_cast<int>(name.size()) ? static_cast<uint8_t>(name[c]) : ' ';
            m.push_back(static_cast<uint8_t>(ch & 0x7F));
        }
        Put14(m, k);
    }
    Seal(m);
    return m;
}

Bytes CrosspointMap(const Switcher& switcher, int first, int count) {
    Bytes m{kCrosspointMap, 0};
    Put14(m, count);
    Put14(m, first);
    for (int o = first; o < first + count; ++o) {
        const OutputState& out = switcher.Output(o);
        Put14(m, static_cast<int>(out.sources.size()));
        m.push_back(static_cast<uint8_t>(out.level));
        for (int source : out.sources) {
            Put14(m, source);
            Put14(m, out.level);
        }
    }
    Seal(m);
    return m;
}

Bytes IcomChannelTable(int stations) {
    Bytes m{kIcomChannel, 0};
    Put14(m, stations);
    for (int i = 0; i < stations; ++i) {
        Put14(m, i);
    }
    Seal(m);
    return m;
}

Bytes TypeRequest() {
    Bytes m{kType, 0x64};
    Seal(m);
    return m;
}

}  // namespace sim
