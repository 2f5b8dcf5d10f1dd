#include "panel_messages.h"

namespace sim {

namespace {
constexpr int kRequestFlag = 0x400;
}

std::optional<InfoRequest> DecodeInfoRequest(const Bytes& m) {
    if (m.size() != 13 || m[0] != kInfoRequest || !ChecksumOk(m)) {
        return std::nullopt;
    }
    InfoRequest r;
    r.first = static_cast<uint32_t>(m[1]) | static_cast<uint32_t>(m[2]) << 7 |
              static_cast<uint32_t>(m[3]) << 14 | static_cast<uint32_t>(m[4]) << 21;
    r.second = static_cast<uint32_t>(Word14(m[5], m[6]));
    return r;
}

std::optional<CrosspointChange> DecodeCrosspointChange(const Bytes& m) {
    if (m.size() != 9 || m[0] != kCrosspointChange || !ChecksumOk(m)) {
        return std::nullopt;
    }
    const int field = Word14(m[1], m[2]);
    if ((field & kRequestFlag) == 0) {
        return std::nullopt;
    }
    return CrosspointChange{field & ~kRequestFlag, Word14(m[3], m[4]), Word14(m[5], m[6])};
}

bool IsTypeReply(const Bytes& m) {
    return m.size() == 5 && m[0] == kType && m[1] == 0x07 && m[2] == 0x01 && ChecksumOk(m);
}

}  // namespace sim
