// Feeds arbitrary bytes to the [hotkeys] section's reader, one value per line. What it takes
// must write out and read back the same, with no problem the second time.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hotkeys/hotkey_bindings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::pair<std::string, std::string>> values;
    for (int control = 0; control < kv::kPanelControls && !text.empty(); ++control) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        values.emplace_back(kv::SettingName(control), std::string(text.substr(0, end)));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    const kv::ReadBindings first = kv::ReadSection(values);
    const kv::ReadBindings again = kv::ReadSection(kv::SectionValues(first.Bindings));
    if (!again.Problems.empty() || again.Bindings.Chords != first.Bindings.Chords) {
        std::abort();
    }
    return 0;
}
