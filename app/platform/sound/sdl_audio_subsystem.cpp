#include "app/platform/sound/sdl_audio_subsystem.h"

#include <mutex>

namespace orvane {
namespace {

std::mutex &subsystemMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace

const SdlApi *acquireSdlAudio(std::string &error)
{
    const SdlApi *sdl = loadSdl(error);
    if (!sdl)
        return nullptr;
    std::lock_guard lock(subsystemMutex());
    // SDL would otherwise catch SIGINT and SIGTERM for an event queue this program never reads;
    // the program closes itself on those signals.
    sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (sdl->InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = sdl->GetError();
        return nullptr;
    }
    return sdl;
}

void releaseSdlAudio()
{
    const SdlApi *sdl = loadedSdl();
    if (!sdl)
        return;
    std::lock_guard lock(subsystemMutex());
    sdl->QuitSubSystem(SDL_INIT_AUDIO);
}

} // namespace orvane
