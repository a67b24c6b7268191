// Latency from a sound request to the moment the audio callback hands its first samples to the
// device (taken inside the callback). Runs on SDL's dummy driver unless SDL_AUDIODRIVER names
// another, so it works without a sound card; the dummy driver pulls 512-frame buffers at real
// speed, like a device would.
#include "app/clock/voice_announcer.h"
#include "app/platform/sound/sdl_sound_player.h"
#include "app/resources/snippet_library.h"

#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <thread>
#include <vector>

using namespace orvane;
using Steady = std::chrono::steady_clock;

namespace {

// Waits for the first samples of a sound started after `since`; the limit keeps a stalled
// device from hanging the run.
std::optional<Steady::time_point> firstSampleAfter(const SdlSoundPlayer &player, Steady::time_point since)
{
    const auto limit = since + std::chrono::seconds(2);
    while (Steady::now() < limit) {
        if (auto t = player.latestFirstSampleTime(); t && *t >= since)
            return t;
        std::this_thread::yield();
    }
    return std::nullopt;
}

// Requests come at any moment of the device's buffer cycle; without this pause each one would
// follow right on a callback and measure only the worst case.
void pauseAtRandom(std::mt19937 &random)
{
    std::uniform_int_distribution<int> micros(0, 12000);
    std::this_thread::sleep_for(std::chrono::microseconds(micros(random)));
}

void report(benchmark::State &state, std::vector<double> &ms)
{
    if (ms.empty())
        return;
    std::sort(ms.begin(), ms.end());
    state.counters["p50_ms"] = ms[ms.size() / 2];
    state.counters["p95_ms"] = ms[std::min(ms.size() - 1, ms.size() * 95 / 100)];
    state.counters["max_ms"] = ms.back();
}

// Times each request made by `play` to the device's first samples of it, at random moments of
// the buffer cycle. `ready` runs before each request and ends the run when it returns false.
template <class Ready, class Play>
void timeRequests(benchmark::State &state, SdlSoundPlayer &player, unsigned seed, Ready ready, Play play)
{
    std::vector<double> ms;
    std::mt19937 random(seed);
    for (auto _ : state) {
        if (!ready())
            break;
        pauseAtRandom(random);
        const auto start = Steady::now();
        play();
        const auto first = firstSampleAfter(player, start);
        if (!first) {
            state.SkipWithError("the device took no samples within 2 s");
            break;
        }
        const double seconds = std::chrono::duration<double>(*first - start).count();
        state.SetIterationTime(seconds);
        ms.push_back(seconds * 1000);
        player.stop();
    }
    report(state, ms);
}

bool always() { return true; }

// One snippet, asynchronously: the cost of decoding, converting and the device's pick-up.
void BM_SnippetRequestToFirstSample(benchmark::State &state)
{
    ManualClock clock;
    SdlSoundPlayer player(clock, "");
    player.hasDevice();
    const auto image = SnippetLibrary::find("WAVEFILE_7");
    timeRequests(state, player, 7, always, [&] { player.play(SoundImage{"WAVEFILE_7", *image}, sndAsync); });
}
BENCHMARK(BM_SnippetRequestToFirstSample)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

// A whole announcement as the minute tick runs it (synchronous, so on its own thread here):
// from the call to the first samples of the hour snippet.
void BM_AnnouncementToFirstSample(benchmark::State &state)
{
    ManualClock clock;
    SdlSoundPlayer player(clock, "");
    VoiceAnnouncer announcer(player);
    player.hasDevice();
    const VoiceSettings settings{true, 5, false, 1, ""};
    std::vector<double> ms;
    std::mt19937 random(5);
    for (auto _ : state) {
        pauseAtRandom(random);
        const auto start = Steady::now();
        std::thread tick([&] { announcer.Announce(7, 5, true, settings); });
        const auto first = firstSampleAfter(player, start);
        player.stop(); // cut the rest short; only the start is measured
        tick.join();
        if (!first) {
            state.SkipWithError("the device took no samples within 2 s");
            break;
        }
        const double seconds = std::chrono::duration<double>(*first - start).count();
        state.SetIterationTime(seconds);
        ms.push_back(seconds * 1000);
    }
    report(state, ms);
}
BENCHMARK(BM_AnnouncementToFirstSample)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

// A three-minute CD-quality wave, as an alarm might play: it starts while the rest is still
// being read.
std::string writeLongWave()
{
    const auto path = std::filesystem::temp_directory_path() / "orvane-voice-bench-long.wav";
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *f = sf_open(path.c_str(), SFM_WRITE, &info);
    std::vector<float> second(44100 * 2);
    for (std::size_t i = 0; i < second.size(); ++i)
        second[i] = 0.2f * static_cast<float>(std::sin(static_cast<double>(i / 2) * 0.06));
    for (int s = 0; s < 180; ++s)
        sf_writef_float(f, second.data(), 44100);
    sf_close(f);
    return path.string();
}

void BM_LongFileRequestToFirstSample(benchmark::State &state)
{
    ManualClock clock;
    SdlSoundPlayer player(clock, "");
    player.hasDevice();
    const std::string path = writeLongWave();
    timeRequests(state, player, 3, always, [&] { player.play(path, sndAsync); });
    std::filesystem::remove(path);
}
BENCHMARK(BM_LongFileRequestToFirstSample)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

// Waits until the idle closer has taken the output away, and with `whollyClosed` until its device
// has gone too; false (and the run ends) when that does not happen within a few seconds.
bool waitForRest(benchmark::State &state, const SdlSoundPlayer &player, bool whollyClosed)
{
    const auto limit = Steady::now() + std::chrono::seconds(5);
    const auto resting = [&] { return !player.outputOpen() && !(whollyClosed && player.outputClosing()); };
    while (!resting() && Steady::now() < limit)
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    if (!resting())
        state.SkipWithError("the device stayed open at rest");
    return resting();
}

// The device closes when nothing has played for a while; the hot key pressed after such a rest
// opens it again. From the request to the first samples, the opening included.
void BM_SnippetAfterTheDeviceClosedAtRest(benchmark::State &state)
{
    ManualClock clock;
    SdlSoundPlayer player(clock, "", {}, std::chrono::milliseconds(50));
    player.hasDevice();
    const auto image = SnippetLibrary::find("WAVEFILE_7");
    timeRequests(
        state, player, 11, [&] { return waitForRest(state, player, true); },
        [&] {
            player.play(SoundImage{"WAVEFILE_7", *image}, sndAsync);
        });
}
BENCHMARK(BM_SnippetAfterTheDeviceClosedAtRest)
    ->UseManualTime()
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);

// The rare request that comes in the few buffers while the idle device is closing (at a random
// moment of its first buffer). Drivers that allow one output device at a time (SDL's dummy
// driver) make it wait for the closing one.
void BM_SnippetWhileTheIdleDeviceCloses(benchmark::State &state)
{
    ManualClock clock;
    SdlSoundPlayer player(clock, "", {}, std::chrono::milliseconds(50));
    player.hasDevice();
    const auto image = SnippetLibrary::find("WAVEFILE_7");
    timeRequests(
        state, player, 13, [&] { return waitForRest(state, player, false); },
        [&] {
            player.play(SoundImage{"WAVEFILE_7", *image}, sndAsync);
        });
}
BENCHMARK(BM_SnippetWhileTheIdleDeviceCloses)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// The first request of a run also opens the device.
void BM_FirstRequestWithDeviceOpening(benchmark::State &state)
{
    ManualClock clock;
    const auto image = SnippetLibrary::find("WAVEFILE_7");
    std::vector<double> ms;
    for (auto _ : state) {
        SdlSoundPlayer player(clock, "");
        const auto start = Steady::now();
        player.play(SoundImage{"WAVEFILE_7", *image}, sndAsync);
        const auto first = firstSampleAfter(player, start);
        if (!first) {
            state.SkipWithError("the device took no samples within 2 s");
            break;
        }
        const double seconds = std::chrono::duration<double>(*first - start).count();
        state.SetIterationTime(seconds);
        ms.push_back(seconds * 1000);
    }
    report(state, ms);
}
BENCHMARK(BM_FirstRequestWithDeviceOpening)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
