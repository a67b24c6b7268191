#pragma once
// The sound libraries are loaded when first needed, so that they do not slow the start; loading
// them takes longer than a sound may wait after its hot key, though, so the program loads them
// on a thread of its own once the clock is on the screen.
namespace orvane {

// Loads SDL2 and libsndfile on the calling thread if they are not loaded yet; a library that is
// missing is reported by the first sound that needs it.
void loadSoundLibraries();

} // namespace orvane
