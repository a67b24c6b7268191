#include "app/platform/sound/sndfile_api.h"

#include "app/platform/lazy_library.h"

namespace orvane {
namespace {

void lookUp(LazyLibrary &library, SndfileApi &a)
{
    library.find("sf_open", a.open);
    library.find("sf_open_fd", a.open_fd);
    library.find("sf_open_virtual", a.open_virtual);
    library.find("sf_close", a.close);
    library.find("sf_strerror", a.strerror);
    library.find("sf_readf_float", a.readf_float);
    library.find("sf_readf_short", a.readf_short);
    library.find("sf_writef_short", a.writef_short);
    library.find("sf_write_sync", a.write_sync);
}

} // namespace

// The soname libsndfile's runtime package installs.
const SndfileApi *loadSndfile(std::string &error)
{
    return LazyApi<SndfileApi>::load("libsndfile.so.1", &lookUp, error);
}

} // namespace orvane
