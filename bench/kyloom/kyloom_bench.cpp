#include "core/engine.h"
#include "core/hot_key_registry.h"
#include "core/shared_segment.h"
#include "kyloom32.h"
#include "macro_files/macro_file_reader.h"
#include "macro_files/macro_file_writer.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sys/mman.h>
#include <unistd.h>

namespace {

using namespace orvane;

class BenchWindow : public MessageWindow {
public:
    uint32_t id() const override { return 0x600001; }
};

std::string segmentName(const char *what)
{
    return std::string("/kyloom-bench.") + what + "." + std::to_string(getpid());
}

// The worst lookup: a full registry and a key that is not in it, so all 256 entries are read
// under the lock.
void RegistryMissOnFullRegistry(benchmark::State &state)
{
    const std::string name = segmentName("miss");
    SharedSegment::Error error;
    auto segment = SharedSegment::open(name, HotKeyRegistry::kBytes, error);
    HotKeyRegistry registry(*segment);
    for (uint16_t i = 0; i < 256; ++i)
        registry.registerKey(static_cast<KyKey>(0x0100 + i), 1, i);
    for (auto _ : state)
        benchmark::DoNotOptimize(registry.find(0x0041));
    shm_unlink(name.c_str());
}
BENCHMARK(RegistryMissOnFullRegistry);

void PossibleKeyIndex(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(GetPossibleMKeyIndex(0x07DE));
}
BENCHMARK(PossibleKeyIndex);

// Saving and loading a table of 64 macros of `range(0)` events each.
void MacroFileRoundTrip(benchmark::State &state)
{
    const std::string name = segmentName("file");
    EnginePlatform platform;
    platform.openRegistry = [&](SharedSegment::Error &error, std::string &why) {
        return SharedSegment::open(name, HotKeyRegistry::kBytes, error, why);
    };
    platform.createWindow = [] { return std::make_unique<BenchWindow>(); };
    Engine engine(platform);
    engine.installHook(0, true, true, RMIgnore, MBWindow, false);
    MacroRecord &scrap = *engine.record(engine.scrap());
    scrap.ensureCapacity(static_cast<size_t>(state.range(0)));
    scrap.lastIndex = static_cast<int32_t>(state.range(0)) - 1;
    for (KyKey k = 0; k < 64; ++k)
        engine.installMacro(static_cast<KyKey>(0x0141 + k), engine.scrap(), "bench", nullptr);
    const std::string path =
        (std::filesystem::temp_directory_path() / ("kyloom-bench-" + std::to_string(getpid()))).string();
    for (auto _ : state) {
        MacroFileWriter(engine).write(path.c_str());
        MacroFileReader(engine).read(path.c_str(), false);
    }
    state.SetBytesProcessed(state.iterations() * 64 * state.range(0) * 20 * 2);
    std::filesystem::remove(path);
    engine.uninstallHook();
    shm_unlink(name.c_str());
}
BENCHMARK(MacroFileRoundTrip)->Arg(10)->Arg(1000);

} // namespace
