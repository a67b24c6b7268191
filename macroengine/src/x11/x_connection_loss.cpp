#include "x11/x_connection_loss.h"

#include "core/display_loss.h"

#include <mutex>
#include <set>

namespace orvane {

namespace {

std::mutex g_mutex;
std::set<Display *> g_lost;

void onConnectionLost(Display *display, void *data)
{
    {
        std::lock_guard lock(g_mutex);
        g_lost.insert(display);
    }
    if (data != nullptr)
        noteDisplayLost();
}

} // namespace

void watchConnectionLoss(Display *display, ConnectionUse use)
{
    // The handler's data tells the two uses apart without a lookup.
    static int engineTag;
    XSetIOErrorExitHandler(display, &onConnectionLost, use == ConnectionUse::Engine ? &engineTag : nullptr);
}

bool connectionLost(Display *display, bool forget)
{
    std::lock_guard lock(g_mutex);
    const bool lost = g_lost.count(display) != 0;
    if (forget)
        g_lost.erase(display);
    return lost;
}

} // namespace orvane
