#pragma once
// SDL counts the users of its audio subsystem without a lock, and this program takes and gives it
// from several threads: the sound player's requests and its idle closer, the wave device and the
// CD stream. Every take and give goes through here, under one lock.
#include "app/platform/sound/sdl_api.h"

#include <string>

namespace orvane {

// Loads SDL if need be and starts (or counts one more user of) its audio subsystem; null, with
// the reason in `error`, when SDL cannot be loaded or has no audio driver.
const SdlApi *acquireSdlAudio(std::string &error);
// Gives back one use taken with acquireSdlAudio; the last one stops the subsystem.
void releaseSdlAudio();

} // namespace orvane
