#include "wire.h"

namespace sim {

void Put14(Bytes& out, int value) {
    out.push_back(static_cast<uint8_t>(value & 0x7F));
    out.push_back(static_cast<uint8_t>((value >> 7) & 0x7F));
}

int Word14(uint8_t low, uint8_t high) {
    return (high & 0x7F) * 128 + (low & 0x7F);
}

uint8_t Checksum(const Bytes& message, std::size_t end) {
    unsigned sum = 0;
    for (std::size_t i = 1; i < end && i < message.size(); ++i) {
        sum += message[i];
    }
    return static_cast<uint8_t>(sum & 0x7F);
}

void Seal(Bytes& message) {
    message.push_back(Checksum(message, message.size()));
    message.push_back(kEnd);
}

bool ChecksumOk(const Bytes& message) {
    const std::size_t n = message.size();
    if (n < 3 || message[n - 1] != kEnd) {
        return false;
    }
    return message[n - 2] == Checksum(message, n - 2);
}

}  // namespace sim
