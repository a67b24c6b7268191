#include "core/display_loss.h"

#include <atomic>
#include <cstdint>
#include <unistd.h>

namespace orvane {

namespace {

std::atomic<bool> g_lost{false};
std::atomic<int> g_wakeFd{-1};

} // namespace

void noteDisplayLost() noexcept
{
    g_lost.store(true);
    const int fd = g_wakeFd.load();
    const uint64_t one = 1;
    if (fd >= 0 && write(fd, &one, sizeof one) < 0) {
        // A full counter is readable already.
    }
}

bool displayLost() noexcept { return g_lost.load(); }

void clearDisplayLost() noexcept { g_lost.store(false); }

void setDisplayLossWake(int fd) noexcept { g_wakeFd.store(fd); }

} // namespace orvane
