#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "config/program_setup.h"
#include "fake_socket.h"
#include "link/byte_manipulation.h"
#include "link/crosspoint_map.h"
#include "link/framing.h"
#include "link/receive_buffer.h"
#include "temp_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Word(Bytes& out, int value) {
    out.push_back(static_cast<uint8_t>(value & 0x7F));
    out.push_back(static_cast<uint8_t>((value >> 7) & 0x7F));
}

void Seal(Bytes& m) {
    unsigned sum = 0;
    for (std::size_t i = 1; i < m.size(); ++i) {
        sum += m[i];
    }
    m.push_back(static_cast<uint8_t>(sum % 128));
    m.push_back(0xFF);
}

// A whole-switcher map: every output with 64 entries from changing inputs.
Bytes FullMap(int outputs, bool extended, uint8_t level) {
    Bytes m{0xF6, static_cast<uint8_t>(extended ? 0x4A : 0x00)};
    Word(m, outputs);
    Word(m, 0);
    for (int o = 0; o < outputs; ++o) {
        Word(m, 64);
        m.push_back(level);
        for (int j = 0; j < 64; ++j) {
            if (extended) {
                m.push_back(j % 9 == 0 ? 10 : 0);
            }
            Word(m, (o * 7 + j * 13) % 16383);
            Word(m, j);
            if (extended) {
                Word(m, o);
            }
        }
    }
    Seal(m);
    return m;
}

struct Panel {
    explicit Panel(int outputs) {
        kv::ProgramSetup(v, w, dir.dir());
        v.NumOutputs = static_cast<int16_t>(outputs);
        v.CrosspointMap.resize(static_cast<std::size_t>(outputs));
        v.SocketConnected = kv::kTrue;
    }
    TempDir dir;
    kv::IntercVariables v;
    kv::MainWindowView w;
    FakeSocket socket;
    kv::PanelContext c{v, w, socket};
};

// args: outputs, extended, level (1 makes every block run the talker rule)
void BM_CrosspointMap(benchmark::State& state) {
    const int outputs = static_cast<int>(state.range(0));
    const Bytes map = FullMap(outputs, state.range(1) != 0, static_cast<uint8_t>(state.range(2)));
    Panel p(outputs);
    for (auto _ : state) {
        kv::ProcessCrosspointMap(p.c, map);
        benchmark::DoNotOptimize(p.v.CrosspointMap.data());
    }
    if (p.v.PendingInfoMask & 0x80) {
        state.SkipWithError("map not accepted");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * map.size()));
    state.counters["bytes"] = static_cast<double>(map.size());
}
BENCHMARK(BM_CrosspointMap)
    ->Args({1024, 0, 0})
    ->Args({1024, 0, 1})
    ->Args({16383, 1, 0})
    ->Args({16383, 1, 1})
    ->Unit(benchmark::kMicrosecond);

// The plain pass summing the same bytes: the checksum of the map.
void BM_ChecksumPass(benchmark::State& state) {
    const Bytes map = FullMap(static_cast<int>(state.range(0)), state.range(1) != 0, 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(kv::Checksum(map, 2));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * map.size()));
}
BENCHMARK(BM_ChecksumPass)->Args({1024, 0})->Args({16383, 1})->Unit(benchmark::kMicrosecond);

// ProcessCommand draining a backlog of small messages in one call.
void BM_ProcessCommandBacklog(benchmark::State& state) {
    const auto queued = static_cast<std::size_t>(state.range(0));
    Bytes one{0xE5, 1, 0, 0};
    Word(one, 5);
    one.push_back(0);
    one.push_back(0);
    Seal(one);
    Bytes backlog;
    for (std::size_t i = 0; i < queued; ++i) {
        backlog.insert(backlog.end(), one.begin(), one.end());
    }
    Panel p(256);
    p.v.Decode.Budget = std::chrono::seconds(60);
    for (auto _ : state) {
        state.PauseTiming();
        kv::AppendReceived(p.v, backlog);
        state.ResumeTiming();
        kv::ProcessCommand(p.c);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * queued));
    if (p.v.SwitcherType != 5 || !kv::LiveBytes(p.v.ReceiveBuffer).empty()) {
        state.SkipWithError("messages not decoded");
    }
}
BENCHMARK(BM_ProcessCommandBacklog)->Arg(1000)->Arg(100000);

}  // namespace
