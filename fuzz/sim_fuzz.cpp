#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "frame_reader.h"
#include "panel_messages.h"
#include "switcher.h"
#include "trace_format.h"

// A panel's bytes as the stand-in server takes them: cut into frames, decoded, described
// for the trace and applied to a small switcher. Whatever arrives, the server stays sound.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    sim::FrameReader reader(64);
    sim::Switcher switcher(std::vector<std::string>(16, "STATION   "));
    const std::size_t half = size / 2;
    for (const auto& [from, length] :
         {std::pair{data, half}, std::pair{data + half, size - half}}) {
        reader.Append(from, length);
        while (const auto frame = reader.Next()) {
            const std::string line =
                sim::TraceLine('<', 1, sim::Describe(frame->bytes), frame->bytes);
            if (const auto change = sim::DecodeCrosspointChange(frame->bytes)) {
                switcher.Apply(change->code, change->input, change->output);
            }
            sim::DecodeInfoRequest(frame->bytes);
            sim::IsTypeReply(frame->bytes);
        }
    }
    return 0;
}
