#pragma once
// libsndfile is loaded when the first sound file or recording is read or written, not when the
// program starts (see lazy_library.h). Only the functions the program uses are looked up.
#include <sndfile.h>

#include <string>

namespace orvane {

struct SndfileApi {
    decltype(&::sf_open) open;
    decltype(&::sf_open_fd) open_fd;
    decltype(&::sf_open_virtual) open_virtual;
    decltype(&::sf_close) close;
    decltype(&::sf_strerror) strerror;
    decltype(&::sf_readf_float) readf_float;
    decltype(&::sf_readf_short) readf_short;
    decltype(&::sf_writef_short) writef_short;
    decltype(&::sf_write_sync) write_sync;
};

// libsndfile's functions, loading the library the first time; null, with the reason in `error`,
// when it cannot be loaded.
const SndfileApi *loadSndfile(std::string &error);

} // namespace orvane
