#include "frame_reader.h"

#include <algorithm>

namespace sim {

bool IsSingleByteCommand(uint8_t b) {
    return b == 0xF5 || b == 0xF4 || b == 0xF1 || b == 0xF3;
}

void FrameReader::Append(const uint8_t* data, std::size_t length) {
    buffer_.insert(buffer_.end(), data, data + length);
}

Frame FrameReader::Take(Frame::Kind kind, std::size_t count) {
    count = std::min(count, buffer_.size());
    Frame frame{kind, Bytes(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(count))};
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(count));
    return frame;
}

std::optional<Frame> FrameReader::Next() {
    if (buffer_.empty()) {
        return std::nullopt;
    }
    const auto first = std::find_if(buffer_.begin(), buffer_.end(), IsCommandByte);
    if (first != buffer_.begin()) {
        return Take(Frame::Kind::Stray, static_cast<std::size_t>(first - buffer_.begin()));
    }
    const uint8_t head = buffer_.front();
    if (IsSingleByteCommand(head)) {
        return Take(Frame::Kind::Single, 1);
    }
    if (head == kEnd) {
        return Take(Frame::Kind::Framed, 1);
    }
    const auto next = std::find_if(buffer_.begin() + 1, buffer_.end(), IsCommandByte);
    if (next == buffer_.end()) {
        if (buffer_.size() > cap_) {
            return Take(Frame::Kind::Overflow, buffer_.size());
        }
        return std::nullopt;
    }
    const auto length = static_cast<std::size_t>(next - buffer_.begin());
    if (*next == kEnd) {
        return Take(Frame::Kind::Framed, length + 1);
    }
    return Take(Frame::Kind::CutShort, length);
}

}  // namespace sim
