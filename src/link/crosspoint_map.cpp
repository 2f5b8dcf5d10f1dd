#include "link/crosspoint_map.h"

#include <algorithm>
#include <array>
#include <bitset>

#include "base/checked.h"
#include "diag/trap.h"
#include "display/button_indications.h"
#include "display/station_display.h"
#include "link/byte_manipulation.h"
#include "link/protocol.h"

namespace kv {
namespace {

struct MapLayout {
    bool Extended = false;
    bool ThirdValue = false;
    std::size_t EntrySize = 0;
};

MapLayout LayoutOf(uint8_t mapType) {
    MapLayout layout;
    layout.Extended = (mapType & kExtendedMapBit) != 0;
    const uint8_t type = layout.Extended ? static_cast<uint8_t>(mapType & 0x0F) : mapType;
    layout.ThirdValue = type == kMapWithThirdValue;
    layout.EntrySize = 4 + (layout.ThirdValue ? 2 : 0) + (layout.Extended ? 1 : 0);
    return layout;
}

// Input numbers seen among an output's previous sources; a set so that the talker
// rule costs one pass over the old and one over the new sources.
using InputSet = std::bitset<16384>;

bool IsInputNumber(int16_t s) {
    return s >= 0 && s < 16384;
}

// The input that most recently joined an output at level 1.
void ApplyTalkerRule(CrosspointEntry& e, const std::array<int16_t, 65>& oldSources,
                     uint8_t oldLevel, uint8_t oldCount, InputSet& seen) {
    if (e.Level != 1) {
        return;
    }
    if (oldLevel != 1) {
        e.Talker = e.Sources[0];
        return;
    }
    if (oldCount > e.Count) {
        return;
    }
    if (e.Count == 1) {
        e.Talker = e.Sources[0];
        return;
    }
    const auto oldEnd = oldSources.begin() + oldCount;
    for (auto s = oldSources.begin(); s != oldEnd; ++s) {
        if (IsInputNumber(*s)) {
            seen.set(static_cast<std::size_t>(*s));
        }
    }
    for (int j = 0; j < e.Count; ++j) {
        const int16_t s = e.Sources[static_cast<std::size_t>(j)];
        const bool isOld = IsInputNumber(s) ? seen.test(static_cast<std::size_t>(s))
                                            : std::find(oldSources.begin(), oldEnd, s) != oldEnd;
        if (!isOld) {
            e.Talker = s;
            break;
        }
    }
    for (auto s = oldSources.begin(); s != oldEnd; ++s) {
        if (IsInputNumber(*s)) {
            seen.reset(static_cast<std::size_t>(*s));
        }
    }
}

enum class BlockResult { Read, Stop };

// One output block at pos; Stop when the rest of the message is to be dropped.
BlockResult ReadBlock(IntercVariables& v, CrosspointEntry& e, const MapLayout& layout,
                      std::span<const uint8_t> data, std::size_t& pos, InputSet& seen) {
    if (data.size() - pos < 3) {
        return BlockResult::Stop;
    }
    const int count = MakeWord14(data[pos], data[pos + 1]);
    if (count > kMaxEntries ||
        data.size() - pos - 3 < static_cast<std::size_t>(count) * layout.EntrySize) {
        return BlockResult::Stop;
    }
    const std::array<int16_t, 65> oldSources = e.Sources;
    const uint8_t oldLevel = e.Level;
    const uint8_t oldCount = e.Count;

    e.Count = static_cast<uint8_t>(count);
    if (count == 0) {
        e.Sources[0] = Sub16(v.NumInputs, 1);
    }
    e.Level = data[pos + 2];
    const uint8_t* p = &data[pos + 3];
    int marked = 0;
    for (int j = 0; j < count; ++j) {
        const bool isMarked = layout.Extended && *p++ == kMarkedEntry;
        const int16_t first = MakeWord14(p[0], p[1]);
        const int16_t second = MakeWord14(p[2], p[3]);
        const int16_t third = layout.ThirdValue ? MakeWord14(p[4], p[5]) : 0;
        p += layout.ThirdValue ? 6 : 4;
        if (isMarked) {
            if (++marked > kMaxMarkedEntries) {
                return BlockResult::Stop;
            }
            e.MarkedSources[marked - 1] = first;
            e.MarkedValues2[marked - 1] = second;
            if (layout.ThirdValue) {
                e.MarkedValues3[marked - 1] = third;
            }
        } else {
            const int k = j - marked;
            e.Sources[k] = first;
            e.Values2[k] = second;
            if (layout.ThirdValue) {
                e.Values3[k] = third;
            }
        }
    }
    e.MarkedCount = static_cast<uint8_t>(marked);
    ApplyTalkerRule(e, oldSources, oldLevel, oldCount, seen);
    pos += 3 + static_cast<std::size_t>(count) * layout.EntrySize;
    return BlockResult::Read;
}

}  // namespace

void ProcessCrosspointMap(PanelContext& c, std::span<const uint8_t> msg) {
    IntercVariables& v = c.v;
    Trap(v, "Error Processing Crosspoint Map", "Message Error", [&] {
        if (msg.size() < 8 || !ChecksumMatches(msg)) {
            return;
        }
        const MapLayout layout = LayoutOf(msg[1]);
        const int16_t blocks = MakeWord14(msg[2], msg[3]);
        const int16_t firstOutput = MakeWord14(msg[4], msg[5]);
        if (firstOutput > v.NumOutputs) {
            return;
        }
        // The blocks lie between the header and the checksum; one that does not fit ends the map.
        const std::span<const uint8_t> data = msg.first(msg.size() - 2);
        std::size_t pos = 6;
        InputSet seen;
        for (int b = 0; b < blocks; ++b) {
            const int output = firstOutput + b;
            if (output >= v.NumOutputs) {
                Raise(faults::kSubscript);
            }
            if (ReadBlock(v, At(v.CrosspointMap, output), layout, data, pos, seen) ==
                BlockResult::Stop) {
                return;
            }
        }
        if (pos != data.size()) {
            return;
        }
        v.PendingInfoMask &= ~kRequestCrosspointMap;

        const int16_t own = v.AssignedOutput;
        const bool ownInRange = own >= 0 && own <= v.NumOutputs - 1 && v.AssignedOutputIndex >= 0 &&
                                v.AssignedOutputIndex <= v.NumOutputs - 1;
        const bool coversOwn = (blocks == 1 && firstOutput == own) || blocks == v.NumOutputs;
        if (!ownInRange || !coversOwn) {
            return;
        }
        if (At(v.CrosspointMap, own).Level == 1) {
            UpdateDisplay(v, c.w);
            DetermineButtonFlashState(v, c.w);
        }
        DetermineListenButtons(v, c.w);
    });
}

}  // namespace kv
