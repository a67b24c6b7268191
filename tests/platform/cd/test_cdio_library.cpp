// libcdio is loaded at the first use of a disc, not when the program makes its CD source and
// device at start; when it cannot be loaded, the player is "not ready" with that reason, the
// loader's own words go to standard error, and nothing else goes wrong. The library is loaded
// once per process, so every case runs in a process of its own (a death test re-run of this
// program) and reports its findings on stderr.
#include "app/platform/cd/cdio_api.h"
#include "app/platform/cd/cdio_cd_device.h"
#include "cd_image_writer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

using namespace orvane;
using namespace orvane::test;
using namespace std::chrono_literals;

namespace {

bool CdioMapped()
{
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find("/libcdio") != std::string::npos)
            return true;
    return false;
}

// Ends the process: 0 when `ok`, else 1 with `what` on stderr for the test's report.
[[noreturn]] void Finish(bool ok, const std::string &what)
{
    if (!ok)
        std::fprintf(stderr, "%s\n", what.c_str());
    std::exit(ok ? 0 : 1);
}

template <typename Pred>
bool WaitFor(Pred pred)
{
    const auto until = std::chrono::steady_clock::now() + 5s;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

class CdioLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    }

    TempDir dir;
};

} // namespace

TEST_F(CdioLibrary, MakingTheSourceAndDeviceLoadsNothingTheFirstLoadDoes)
{
    const std::string cue = WriteCdImage(dir.path().string(), "disc", {{1}});
    const auto run = [&cue](bool namedImage) {
        if (namedImage)
            ::setenv("ORVANE_CD_DEVICE", cue.c_str(), 1);
        else
            ::unsetenv("ORVANE_CD_DEVICE");
        CdioCDDevice device(CdioSource::fromEnvironment());
        if (CdioMapped() || loadedCdio())
            Finish(false, "loaded before the disc was used");
        device.open();
        if (!CdioMapped() || !loadedCdio())
            Finish(false, "the first load did not load libcdio");
        // The default drive is looked for at the first load; this machine may have none, or
        // no disc in it, so only the image's disc is certain.
        Finish(!namedImage || device.mode() == CDMode::Stopped,
               "the image did not load: " + device.notReadyReason());
    };
    EXPECT_EXIT(run(true), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(run(false), ::testing::ExitedWithCode(0), "");
}

TEST_F(CdioLibrary, UnusableLibraryLeavesThePlayerNotReadyWithTheReason)
{
    const std::string cue = WriteCdImage(dir.path().string(), "disc", {{1}});
    const struct {
        std::string library;
        std::string detail; // on standard error
    } cases[] = {
        {dir.file("libnowhere.so"), "libnowhere.so"},
        // A library that loads but is not libcdio: the first function looked for is named.
        {"libm.so.6", "libm.so.6 has no cdio_log_set_handler"},
    };
    for (const auto &c : cases) {
        const auto run = [&] {
            ::setenv("ORVANE_CDIO_LIBRARY", c.library.c_str(), 1);
            CdioCDDevice device(CdioSource(CdioSource::Kind::Image, cue));
            device.open();
            const std::string reason = device.notReadyReason();
            if (device.mode() != CDMode::NotReady || reason != "The CD library could not be loaded.")
                Finish(false, "reason: " + reason);
            // Play does nothing; the door opens and closes onto the same answer, as does the
            // next opening of the player.
            device.play(std::nullopt, std::nullopt);
            device.eject();
            device.eject();
            if (!WaitFor([&] { return device.notReadyReason() == reason; }))
                Finish(false, "after closing the door: " + device.notReadyReason());
            device.close();
            device.open();
            Finish(device.mode() == CDMode::NotReady && device.notReadyReason() == reason && !loadedCdio(),
                   "second open: " + device.notReadyReason());
        };
        EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "no CD can be played: .*" + c.detail) << c.library;
    }
}
