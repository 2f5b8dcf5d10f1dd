#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Builders of server messages for tests: 7-bit groups, checksum and end byte.

namespace msg {

using Bytes = std::vector<uint8_t>;

inline void Word(Bytes& out, int value) {
    out.push_back(static_cast<uint8_t>(value & 0x7F));
    out.push_back(static_cast<uint8_t>((value >> 7) & 0x7F));
}

// Command byte, body, checksum of the body, 0xFF.
inline Bytes Framed(uint8_t command, const Bytes& body) {
    Bytes out{command};
    unsigned sum = 0;
    for (uint8_t b : body) {
        out.push_back(b);
        sum += b;
    }
    out.push_back(static_cast<uint8_t>(sum % 128));
    out.push_back(0xFF);
    return out;
}

inline Bytes SwitcherType(int type) {
    Bytes body{1, 0, 0};
    Word(body, type);
    body.insert(body.end(), {0, 0});
    return Framed(0xE5, body);
}

// Alpha table of the given type; every record is written, those before first too.
inline Bytes AlphaTable(uint8_t type, uint8_t width, int first,
                        const std::vector<std::pair<std::string, int>>& records) {
    Bytes body{type, width};
    Word(body, static_cast<int>(records.size()));
    Word(body, first);
    for (auto [name, station] : records) {
        name.resize(width, ' ');
        body.insert(body.end(), name.begin(), name.end());
        Word(body, station);
    }
    return Framed(0xFC, body);
}

struct Entry {
    int Input;
    int Value2 = 0;
    int Value3 = 0;
    uint8_t Marker = 0;  // extended maps only
};

struct Block {
    uint8_t Level;
    std::vector<Entry> Entries;
    int Count = -1;  // the count sent; -1: the number of entries
};

inline Bytes CrosspointMap(uint8_t mapType, int firstOutput, const std::vector<Block>& blocks) {
    const bool extended = (mapType & 0x40) != 0;
    const bool third = (mapType & 0x0F) == 10;
    Bytes body{mapType};
    Word(body, static_cast<int>(blocks.size()));
    Word(body, firstOutput);
    for (const Block& b : blocks) {
        Word(body, b.Count < 0 ? static_cast<int>(b.Entries.size()) : b.Count);
        body.push_back(b.Level);
        for (const Entry& e : b.Entries) {
            if (extended) {
                body.push_back(e.Marker);
            }
            Word(body, e.Input);
            Word(body, e.Value2);
            if (third) {
                Word(body, e.Value3);
            }
        }
    }
    return Framed(0xF6, body);
}

}  // namespace msg
