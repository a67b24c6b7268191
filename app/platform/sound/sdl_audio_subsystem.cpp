#include "app/platform/sound/sdl_audio_subsystem.h"

#include <SDL2/SDL.h>

#include <mutex>

namespace orvane {
namespace {

std::mutex &subsystemMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace

bool acquireSdlAudio(std::string &error)
{
    std::lock_guard lock(subsystemMutex());
    // SDL would otherwise catch SIGINT and SIGTERM for an event queue this program never reads;
    // the program closes itself on those signals.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    return true;
}

void releaseSdlAudio()
{
    std::lock_guard lock(subsystemMutex());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

} // namespace orvane
