#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "link/framing.h"
#include "set_up_panel.h"
#include "state/panel_context.h"

using Bytes = std::vector<uint8_t>;

// Bytes written as hex pairs: "F2 00 FF".
inline Bytes Hex(const std::string& text) {
    Bytes out;
    std::istringstream in(text);
    for (unsigned b = 0; in >> std::hex >> b;) {
        out.push_back(static_cast<uint8_t>(b));
    }
    return out;
}

// A server message: command byte, body, the body's sum modulo 128, end byte.
inline Bytes Framed(uint8_t command, Bytes body) {
    unsigned sum = 0;
    for (uint8_t b : body) {
        sum += b;
    }
    body.insert(body.begin(), command);
    body.insert(body.end(), {static_cast<uint8_t>(sum % 128), 0xFF});
    return body;
}

// The two 7-bit groups of a 14-bit number, lowest first.
inline void Word(Bytes& out, int value) {
    out.insert(out.end(), {static_cast<uint8_t>(value & 0x7F), static_cast<uint8_t>(value >> 7)});
}

// A panel fresh from program setup, its socket open on the fake.
struct LinkPanel : SetUpPanel {
    LinkPanel() { v.SocketConnected = kv::kTrue; }

    // Bytes as the server sends them, in one data-arrival event.
    void Receive(const Bytes& bytes) {
        socket.Incoming.insert(socket.Incoming.end(), bytes.begin(), bytes.end());
        kv::OnDataArrival(c, static_cast<int32_t>(bytes.size()));
    }

    Bytes Live() const {
        return {v.ReceiveBuffer.Data.begin() + static_cast<std::ptrdiff_t>(v.ReceiveBuffer.Start),
                v.ReceiveBuffer.Data.end()};
    }

    kv::PanelContext c{v, w, socket};
};

class LinkTest : public ::testing::Test, public LinkPanel {};
