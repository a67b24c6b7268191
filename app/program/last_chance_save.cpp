#include "app/program/last_chance_save.h"

#include <atomic>
#include <cstdlib>

namespace orvane {
namespace {

std::atomic<bool> g_armed{false};
std::function<void()> *g_save = nullptr;

void RunAtExit()
{
    // Whichever thread calls exit() first saves; a second exit() meanwhile finds it taken.
    if (!g_armed.exchange(false) || !g_save)
        return;
    (*g_save)();
}

} // namespace

void ArmLastChanceSave(std::function<void()> save)
{
    static bool registered = false;
    // Kept for the whole run: an exit handler may still need it after main's objects are gone.
    static std::function<void()> kept;
    kept = std::move(save);
    g_save = &kept;
    if (!registered)
        registered = std::atexit(RunAtExit) == 0;
    g_armed = registered;
}

void DisarmLastChanceSave() { g_armed = false; }

} // namespace orvane
