#include "app/platform/sound/sound_libraries.h"

#include "app/platform/sound/sdl_api.h"
#include "app/platform/sound/sndfile_api.h"

#include <string>

namespace orvane {

void loadSoundLibraries()
{
    std::string ignored;
    loadSdl(ignored);
    loadSndfile(ignored);
}

} // namespace orvane
