#include "app/platform/sound/sdl_api.h"

#include "app/platform/lazy_library.h"

namespace orvane {
namespace {

void lookUp(LazyLibrary &library, SdlApi &a)
{
    library.find("SDL_SetHint", a.SetHint);
    library.find("SDL_InitSubSystem", a.InitSubSystem);
    library.find("SDL_QuitSubSystem", a.QuitSubSystem);
    library.find("SDL_GetError", a.GetError);
    library.find("SDL_TLSCleanup", a.TLSCleanup);
    library.find("SDL_OpenAudioDevice", a.OpenAudioDevice);
    library.find("SDL_CloseAudioDevice", a.CloseAudioDevice);
    library.find("SDL_PauseAudioDevice", a.PauseAudioDevice);
    library.find("SDL_GetAudioDeviceStatus", a.GetAudioDeviceStatus);
    library.find("SDL_NewAudioStream", a.NewAudioStream);
    library.find("SDL_FreeAudioStream", a.FreeAudioStream);
    library.find("SDL_AudioStreamPut", a.AudioStreamPut);
    library.find("SDL_AudioStreamGet", a.AudioStreamGet);
    library.find("SDL_AudioStreamFlush", a.AudioStreamFlush);
    library.find("SDL_AudioStreamAvailable", a.AudioStreamAvailable);
}

} // namespace

// The soname SDL2's runtime package installs.
const SdlApi *loadSdl(std::string &error)
{
    return LazyApi<SdlApi>::load("libSDL2-2.0.so.0", &lookUp, error);
}

const SdlApi *loadedSdl() { return LazyApi<SdlApi>::ifLoaded(); }

} // namespace orvane
