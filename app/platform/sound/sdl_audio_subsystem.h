#pragma once
// SDL counts the users of its audio subsystem without a lock, and this program takes and gives it
// from several threads: the sound player's requests and its idle closer, the wave device and the
// CD stream. Every take and give goes through here, under one lock.
#include <string>

namespace orvane {

// Starts (or counts one more user of) SDL's audio subsystem; false, with SDL's reason in `error`,
// when there is no audio driver.
bool acquireSdlAudio(std::string &error);
// Gives back one use taken with acquireSdlAudio; the last one stops the subsystem.
void releaseSdlAudio();

} // namespace orvane
