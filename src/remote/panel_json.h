#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "panel/panel_snapshot.h"

// The panel as remote clients read it. The panel's names are 8-bit (Latin-1); JSON is UTF-8.

namespace kv::remote {

std::string Latin1ToUtf8(std::string_view text);
// None when the text is not UTF-8 or holds a character Latin-1 lacks.
std::optional<std::string> Utf8ToLatin1(std::string_view text);

std::string PanelJson(const PanelSnapshot& s);
std::string ErrorJson(std::string_view text);

}  // namespace kv::remote
