#pragma once

#include <cstddef>
#include <deque>
#include <optional>

#include "wire.h"

// Cuts one panel's byte stream into messages with the same framing the panel
// uses: a command byte starts a message, 0xFF ends a framed one, the four
// single-byte commands stand alone, and stray data bytes are dropped.

namespace sim {

struct Frame {
    enum class Kind {
        Single,    // 0xF5, 0xF4, 0xF1 or 0xF3
        Framed,    // command byte through 0xFF
        Stray,     // data bytes with no command byte in front
        CutShort,  // an unfinished message interrupted by a command byte
        Overflow,  // an unfinished message longer than the cap, discarded
    };
    Kind kind;
    Bytes bytes;
};

class FrameReader {
public:
    // Longest unfinished message kept; a panel's longest message is 13 bytes.
    static constexpr std::size_t kDefaultCap = 4096;

    explicit FrameReader(std::size_t cap = kDefaultCap) : cap_(cap) {}

    void Append(const uint8_t* data, std::size_t length);
    // The next complete piece of the stream, or nothing while a message is unfinished.
    std::optional<Frame> Next();
    std::size_t Buffered() const { return buffer_.size(); }

private:
    Frame Take(Frame::Kind kind, std::size_t count);

    std::size_t cap_;
    std::deque<uint8_t> buffer_;
};

bool IsSingleByteCommand(uint8_t b);

}  // namespace sim
