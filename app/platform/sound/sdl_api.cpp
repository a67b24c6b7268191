#include "app/platform/sound/sdl_api.h"

#include <dlfcn.h>

#include <atomic>

namespace orvane {
namespace {

// The name SDL2's runtime package installs, the library's soname.
constexpr const char *kLibrary = "libSDL2-2.0.so.0";

struct Loaded {
    SdlApi api{};
    std::string error; // empty when loaded
};

template <class Function>
bool find(void *library, const char *name, Function &slot, std::string &error)
{
    slot = reinterpret_cast<Function>(dlsym(library, name));
    if (!slot && error.empty())
        error = std::string(kLibrary) + " has no " + name;
    return slot != nullptr;
}

Loaded load()
{
    Loaded out;
    // Kept for the program's life: SDL's threads run its code until the program ends.
    void *library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char *why = dlerror();
        out.error = why ? why : std::string("cannot load ") + kLibrary;
        return out;
    }
    SdlApi &a = out.api;
    std::string &e = out.error;
    const bool all =
        find(library, "SDL_SetHint", a.SetHint, e) & find(library, "SDL_InitSubSystem", a.InitSubSystem, e) &
        find(library, "SDL_QuitSubSystem", a.QuitSubSystem, e) &
        find(library, "SDL_GetError", a.GetError, e) & find(library, "SDL_TLSCleanup", a.TLSCleanup, e) &
        find(library, "SDL_OpenAudioDevice", a.OpenAudioDevice, e) &
        find(library, "SDL_CloseAudioDevice", a.CloseAudioDevice, e) &
        find(library, "SDL_PauseAudioDevice", a.PauseAudioDevice, e) &
        find(library, "SDL_GetAudioDeviceStatus", a.GetAudioDeviceStatus, e) &
        find(library, "SDL_NewAudioStream", a.NewAudioStream, e) &
        find(library, "SDL_FreeAudioStream", a.FreeAudioStream, e) &
        find(library, "SDL_AudioStreamPut", a.AudioStreamPut, e) &
        find(library, "SDL_AudioStreamGet", a.AudioStreamGet, e) &
        find(library, "SDL_AudioStreamFlush", a.AudioStreamFlush, e) &
        find(library, "SDL_AudioStreamAvailable", a.AudioStreamAvailable, e);
    if (!all)
        dlclose(library);
    return out;
}

std::atomic<bool> g_loaded{false};

const Loaded &loaded()
{
    static const Loaded once = [] {
        Loaded result = load();
        g_loaded = result.error.empty();
        return result;
    }();
    return once;
}

} // namespace

const SdlApi *loadSdl(std::string &error)
{
    const Loaded &l = loaded();
    if (!l.error.empty()) {
        error = l.error;
        return nullptr;
    }
    return &l.api;
}

const SdlApi *loadedSdl() { return g_loaded ? &loaded().api : nullptr; }

} // namespace orvane
