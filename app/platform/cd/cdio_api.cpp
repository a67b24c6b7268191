#include "app/platform/cd/cdio_api.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdlib>

namespace orvane {
namespace {

// The paranoia library's soname. It needs libcdio_cdda and libcdio, which the loader brings
// with it, and a look-up through its handle searches them too.
constexpr const char *kDefaultLibrary = "libcdio_paranoia.so.2";

// Tests name another file here to see the program cope with a library that is missing or
// incomplete; the program itself never sets it.
std::string libraryName()
{
    const char *named = std::getenv("ORVANE_CDIO_LIBRARY");
    return named && *named ? named : kDefaultLibrary;
}

struct Loaded {
    CdioApi api{};
    std::string error; // empty when loaded
};

template <class Function>
bool find(void *library, const std::string &file, const char *name, Function &slot, std::string &error)
{
    slot = reinterpret_cast<Function>(dlsym(library, name));
    if (!slot && error.empty())
        error = file + " has no " + name;
    return slot != nullptr;
}

Loaded load()
{
    Loaded out;
    const std::string file = libraryName();
    // Kept for the program's life: the log handler and open drives hold its code.
    void *library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char *why = dlerror();
        out.error = why ? why : "cannot load " + file;
        return out;
    }
    CdioApi &a = out.api;
    std::string &e = out.error;
    const auto f = [&](const char *name, auto &slot) { return find(library, file, name, slot, e); };
    const bool all =
        f("cdio_log_set_handler", a.LogSetHandler) & f("cdio_get_default_device", a.GetDefaultDevice) &
        f("cdio_free", a.Free) & f("cdio_open", a.Open) & f("cdio_destroy", a.Destroy) &
        f("cdio_get_first_track_num", a.GetFirstTrackNum) & f("cdio_get_num_tracks", a.GetNumTracks) &
        f("cdio_get_track_lsn", a.GetTrackLsn) & f("cdio_get_track_format", a.GetTrackFormat) &
        f("cdio_read_audio_sectors", a.ReadAudioSectors) & f("cdio_get_media_changed", a.GetMediaChanged) &
        f("cdio_eject_media", a.EjectMedia) & f("cdio_eject_media_drive", a.EjectMediaDrive) &
        f("cdio_close_tray", a.CloseTray) & f("cdio_cddap_identify_cdio", a.CddapIdentifyCdio) &
        f("cdio_cddap_open", a.CddapOpen) & f("cdio_cddap_close_no_free_cdio", a.CddapCloseNoFreeCdio) &
        f("cdio_paranoia_init", a.ParanoiaInit) & f("cdio_paranoia_modeset", a.ParanoiaModeset) &
        f("cdio_paranoia_seek", a.ParanoiaSeek) & f("cdio_paranoia_read", a.ParanoiaRead) &
        f("cdio_paranoia_free", a.ParanoiaFree);
    if (!all) {
        out.api = CdioApi{};
        dlclose(library);
    }
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

const CdioApi *loadCdio(std::string &error)
{
    const Loaded &l = loaded();
    if (!l.error.empty()) {
        error = l.error;
        return nullptr;
    }
    return &l.api;
}

const CdioApi *loadedCdio() { return g_loaded ? &loaded().api : nullptr; }

} // namespace orvane
