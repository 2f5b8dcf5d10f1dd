#pragma once

#include <string>

// The secret every request of the control API carries: 256 random bits as hex, kept in
// control-token in the configuration folder, readable by its owner only.

namespace kv::remote {

inline constexpr const char* kTokenFileName = "control-token";

// A new random token; empty (with the reason) when the system gives no randomness.
std::string NewToken(std::string& reason);

// The folder's token, made on first use. A missing, short or unreadable one is replaced;
// a file others could read is made owner-only. Empty, with the reason, on failure.
std::string LoadOrCreateToken(const std::string& folder, std::string& reason);

// Replaces the folder's token (written aside, then renamed over it, owner-only).
bool SaveToken(const std::string& folder, const std::string& token, std::string& reason);

}  // namespace kv::remote
