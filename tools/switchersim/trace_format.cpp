#include "trace_format.h"

#include <cstdio>

#include "panel_messages.h"
#include "server_messages.h"

namespace sim {

namespace {

constexpr std::size_t kHexShown = 48;

std::string HexWord(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

int At14(const Bytes& m, std::size_t pos) {
    return pos + 1 < m.size() ? Word14(m[pos], m[pos + 1]) : -1;
}

std::string DescribeFramed(const Bytes& m) {
    const uint8_t head = m[0];
    const std::string checksum = ChecksumOk(m) ? "" : " bad-checksum";
    if (head == kInfoRequest) {
        if (const auto r = DecodeInfoRequest(m)) {
            return "info-request first=" + HexWord(r->first) + " second=" + HexWord(r->second);
        }
        return "info-request malformed";
    }
    if (head == kCrosspointChange) {
        if (const auto c = DecodeCrosspointChange(m)) {
            return "crosspoint-change code=" + std::to_string(c->code) +
                   " in=" + std::to_string(c->input) + " out=" + std::to_string(c->output);
        }
        return "crosspoint-change malformed";
    }
    if (head == kType) {
        if (m.size() >= 2 && m[1] == 0x64) {
            return "type-request" + checksum;
        }
        return IsTypeReply(m) ? "type-reply type=7 value=1" : "type-message malformed";
    }
    if (head == kAlphaTable && m.size() >= 7) {
        return "alpha-table type=" + std::to_string(m[1]) + " width=" + std::to_string(m[2]) +
               " count=" + std::to_string(At14(m, 3)) + " first=" + std::to_string(At14(m, 5)) +
               checksum;
    }
    if (head == kCrosspointMap && m.size() >= 6) {
        return "crosspoint-map type=" + std::to_string(m[1]) +
               " outputs=" + std::to_string(At14(m, 2)) + " start=" + std::to_string(At14(m, 4)) +
               checksum;
    }
    if (head == kIcomChannel && m.size() >= 4) {
        return "icom-channel count=" + std::to_string(At14(m, 2)) + checksum;
    }
    if (head == kEnd && m.size() == 1) {
        return "lone-end";
    }
    return "unknown command=" + HexWord(head);
}

}  // namespace

std::string Hex(const Bytes& bytes) {
    std::string text;
    const std::size_t shown = bytes.size() > kHexShown ? kHexShown : bytes.size();
    for (std::size_t i = 0; i < shown; ++i) {
        char b[4];
        std::snprintf(b, sizeof b, "%02X", bytes[i]);
        if (i > 0) {
            text += ' ';
        }
        text += b;
    }
    if (shown < bytes.size()) {
        text += " ... (" + std::to_string(bytes.size()) + " bytes)";
    }
    return text;
}

std::string Describe(const Bytes& m) {
    if (m.empty()) {
        return "empty";
    }
    if (m.size() == 1) {
        switch (m[0]) {
            case kPoll:
                return "poll";
            case kPollAnswer:
                return "poll-answer";
            case kNotConnected:
                return "not-connected";
            case kNoEffect:
                return "no-effect";
            default:
                break;
        }
    }
    if (!IsCommandByte(m[0])) {
        return "data " + std::to_string(m.size()) + " bytes";
    }
    return DescribeFramed(m);
}

std::string TraceLine(char direction, int panel, const std::string& description,
                      const Bytes& bytes) {
    return std::string(1, direction) + " panel " + std::to_string(panel) + " " + description +
           "  " + Hex(bytes);
}

}  // namespace sim
