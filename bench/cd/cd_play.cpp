// The CD player's speed: from a play request to the first sample handed to the audio device,
// with a CUE/BIN image (the goal is under 100 ms), and the one-second poll's cost on the
// user-interface thread while the disc plays compared with a stopped disc. Run with
// SDL_AUDIODRIVER=dummy for a headless figure, or with a real device for the one a user hears.
#include "app/media/cd_player_logic.h"
#include "app/platform/cd/cdio_cd_device.h"
#include "tests/platform/cd/cd_image_writer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace orvane {
namespace {

// One image for the whole run, removed at the end.
class BenchImage {
public:
    BenchImage()
    {
        m_dir = std::filesystem::temp_directory_path() / ("orvane-bench-cd-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_dir);
        m_cue = test::WriteCdImage(m_dir.string(), "tones", {{20}, {20}, {20}});
    }
    ~BenchImage() { std::filesystem::remove_all(m_dir); }
    const std::string &cue() const { return m_cue; }
    std::string database() const { return (m_dir / "CDNAME32.REC").string(); }

private:
    std::filesystem::path m_dir;
    std::string m_cue;
};

BenchImage &image()
{
    static BenchImage instance;
    return instance;
}

void BM_PlayRequestToFirstSample(benchmark::State &state)
{
    CdioCDDevice device(CdioSource(CdioSource::Kind::Image, image().cue()));
    device.open();
    int track = 1;
    for (auto _ : state) {
        device.stop();
        const uint64_t before = device.framesDelivered();
        const auto start = std::chrono::steady_clock::now();
        device.play(device.trackStart(track), std::nullopt);
        while (device.framesDelivered() == before) {
            if (std::chrono::steady_clock::now() - start > std::chrono::seconds(2)) {
                state.SkipWithError("no sample within two seconds");
                break;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        track = track % 3 + 1;
    }
    device.stop();
}
BENCHMARK(BM_PlayRequestToFirstSample)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

void pollCost(benchmark::State &state, bool playing)
{
    CdioCDDevice device(CdioSource(CdioSource::Kind::Image, image().cue()));
    TDiscDatabase database(image().database());
    CDPlayerState playerState;
    TCDFlags flags;
    ProgramClock clock(std::chrono::system_clock::now(), 1.0);
    CDPlayerLogic logic(CDPlayerServices{device, database, playerState, flags, clock});
    logic.FormCreate();
    logic.FormShow();
    if (playing)
        logic.MediaPlayer1Click(cbPlay);
    for (auto _ : state) {
        logic.Timer2Timer();
        benchmark::DoNotOptimize(logic.view().SongPos);
    }
    device.stop();
}

void BM_PollWhilePlaying(benchmark::State &state) { pollCost(state, true); }
void BM_PollWhileStopped(benchmark::State &state) { pollCost(state, false); }
BENCHMARK(BM_PollWhilePlaying)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PollWhileStopped)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace orvane

int main(int argc, char **argv)
{
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
