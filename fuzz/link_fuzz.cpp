#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "config/program_setup.h"
#include "fake_socket.h"
#include "link/framing.h"
#include "link/poll_timer.h"

// The input arrives as the server's bytes, in two bursts cut into reads of a size
// taken from its length. Whatever it holds, decoding must end and the state stay sound.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const std::string directory = [] {
        const auto path = std::filesystem::temp_directory_path() / "keyvane-link-fuzz";
        std::filesystem::create_directories(path);
        return path.string() + "/";
    }();
    if (size == 0) {
        return 0;
    }
    kv::IntercVariables v;
    kv::MainWindowView w;
    kv::ProgramSetup(v, w, directory);
    v.ErrorLog.RolloverSize = 64 * 1024;
    v.SocketConnected = kv::kTrue;
    v.Connected = size % 2 == 0 ? kv::kTrue : kv::kFalse;
    FakeSocket socket;
    socket.ReadChunk = static_cast<int32_t>(1 + size % 61);
    kv::PanelContext c{v, w, socket};

    const std::size_t half = size / 2;
    socket.Incoming.assign(data, data + half);
    kv::OnDataArrival(c, static_cast<int32_t>(half));
    kv::PollTick(c);
    socket.Incoming.assign(data + half, data + size);
    kv::OnDataArrival(c, static_cast<int32_t>(size - half));

    // Drain until empty or a call makes no progress.
    for (;;) {
        const std::size_t before = v.ReceiveBuffer.Data.size() - v.ReceiveBuffer.Start;
        if (before == 0) {
            break;
        }
        kv::DecodeTick(c);
        kv::PollTick(c);
        if (v.ReceiveBuffer.Data.size() - v.ReceiveBuffer.Start == before) {
            break;
        }
    }
    return 0;
}
