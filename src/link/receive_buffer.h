#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "state/interc_variables.h"

// The receive buffer: bytes appended at the back, consumed from the front.

namespace kv {

// Room for the largest legal crosspoint map, 8 + 16383 x (3 + 64 x 7) = 7,388,741
// bytes, plus about 1 MB for whatever arrives with it.
inline constexpr std::size_t kReceiveBufferCap = 8u * 1024u * 1024u;

// The bytes received and not yet consumed.
std::span<const uint8_t> LiveBytes(const ReceiveBufferBytes& buffer);

// Consumes n bytes from the front; the dead front is compacted away only once it
// outgrows the live part, so trimming costs constant time per byte.
void DropFront(ReceiveBufferBytes& buffer, std::size_t n);

// Appends received bytes. Past the cap the oldest bytes are discarded; the first
// discard of an overflow episode is logged, the rest of it is not.
void AppendReceived(IntercVariables& v, std::span<const uint8_t> bytes);

}  // namespace kv
