#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "config/program_setup.h"
#include "fake_socket.h"
#include "link/framing.h"
#include "link/poll_timer.h"

// The input arrives as the server's bytes, in two bursts cut into reads of a size taken
// from its length, with poll ticks between. Whatever it holds, decoding must end and the
// state stay sound.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / "keyvane-link-fuzz";
    std::filesystem::create_directories(directory);
    kv::IntercVariables v;
    kv::MainWindowView w;
    kv::ProgramSetup(v, w, directory.string() + "/");
    v.ErrorLog.RolloverSize = 64 * 1024;
    v.SocketConnected = kv::kTrue;
    v.Connected = size % 2 == 0 ? kv::kTrue : kv::kFalse;
    FakeSocket socket;
    socket.ReadChunk = static_cast<int32_t>(1 + size % 61);
    kv::PanelContext c{v, w, socket};
    for (const auto& [from, to] :
         {std::pair{data, data + size / 2}, {data + size / 2, data + size}}) {
        socket.Incoming.assign(from, to);
        kv::OnDataArrival(c, static_cast<int32_t>(to - from));
        kv::PollTick(c);
    }
    while (v.ReceiveBuffer.Backlog) {  // each call with a backlog decodes at least one message
        kv::DecodeTick(c);
        kv::PollTick(c);
    }
    return 0;
}
