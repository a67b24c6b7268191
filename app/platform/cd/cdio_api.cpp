#include "app/platform/cd/cdio_api.h"

#include "app/platform/lazy_library.h"

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

void lookUp(LazyLibrary &library, CdioApi &a)
{
    library.find("cdio_log_set_handler", a.LogSetHandler);
    library.find("cdio_get_default_device", a.GetDefaultDevice);
    library.find("cdio_free", a.Free);
    library.find("cdio_open", a.Open);
    library.find("cdio_destroy", a.Destroy);
    library.find("cdio_get_first_track_num", a.GetFirstTrackNum);
    library.find("cdio_get_num_tracks", a.GetNumTracks);
    library.find("cdio_get_track_lsn", a.GetTrackLsn);
    library.find("cdio_get_track_format", a.GetTrackFormat);
    library.find("cdio_read_audio_sectors", a.ReadAudioSectors);
    library.find("cdio_get_media_changed", a.GetMediaChanged);
    library.find("cdio_eject_media", a.EjectMedia);
    library.find("cdio_eject_media_drive", a.EjectMediaDrive);
    library.find("cdio_close_tray", a.CloseTray);
    library.find("cdio_cddap_identify_cdio", a.CddapIdentifyCdio);
    library.find("cdio_cddap_open", a.CddapOpen);
    library.find("cdio_cddap_close_no_free_cdio", a.CddapCloseNoFreeCdio);
    library.find("cdio_paranoia_init", a.ParanoiaInit);
    library.find("cdio_paranoia_modeset", a.ParanoiaModeset);
    library.find("cdio_paranoia_seek", a.ParanoiaSeek);
    library.find("cdio_paranoia_read", a.ParanoiaRead);
    library.find("cdio_paranoia_free", a.ParanoiaFree);
}

} // namespace

const CdioApi *loadCdio(std::string &error)
{
    return LazyApi<CdioApi>::load(libraryName().c_str(), &lookUp, error);
}

const CdioApi *loadedCdio() { return LazyApi<CdioApi>::ifLoaded(); }

} // namespace orvane
