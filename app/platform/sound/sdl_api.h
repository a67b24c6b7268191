#pragma once
// SDL2 is loaded when the first sound, recording or CD track needs it, not when the program
// starts. With the libraries it brings (the sound servers' clients, Wayland, DRM), most of them
// bound at load time, it was the largest share of the start beyond a bare Qt window, for a clock
// that may stay silent for hours. Only the audio functions the program uses are looked up.
#include <SDL2/SDL.h>

#include <string>

namespace orvane {

struct SdlApi {
    decltype(&::SDL_SetHint) SetHint;
    decltype(&::SDL_InitSubSystem) InitSubSystem;
    decltype(&::SDL_QuitSubSystem) QuitSubSystem;
    decltype(&::SDL_GetError) GetError;
    decltype(&::SDL_TLSCleanup) TLSCleanup;
    decltype(&::SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&::SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&::SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&::SDL_GetAudioDeviceStatus) GetAudioDeviceStatus;
    decltype(&::SDL_NewAudioStream) NewAudioStream;
    decltype(&::SDL_FreeAudioStream) FreeAudioStream;
    decltype(&::SDL_AudioStreamPut) AudioStreamPut;
    decltype(&::SDL_AudioStreamGet) AudioStreamGet;
    decltype(&::SDL_AudioStreamFlush) AudioStreamFlush;
    decltype(&::SDL_AudioStreamAvailable) AudioStreamAvailable;
};

// SDL's functions, loading the library the first time; null, with the reason in `error`, when it
// cannot be loaded (then every later call gives the same answer).
const SdlApi *loadSdl(std::string &error);
// SDL's functions if the library has been loaded, else null: for clean-ups that have nothing to
// do when SDL never ran.
const SdlApi *loadedSdl();

} // namespace orvane
