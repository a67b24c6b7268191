#pragma once
// libcdio (with its cdda and paranoia parts) is loaded when the CD is first used: the player
// window opened, a CD alarm started, a disc looked at. Most users never play a CD, and the three
// libraries, bound at load time, cost every start of the clock. Only the functions the CD source
// calls are looked up; the headers stay for the types and the functions' signatures.
#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include <string>

namespace orvane {

struct CdioApi {
    decltype(&::cdio_log_set_handler) LogSetHandler;
    decltype(&::cdio_get_default_device) GetDefaultDevice;
    decltype(&::cdio_free) Free;
    decltype(&::cdio_open) Open;
    decltype(&::cdio_destroy) Destroy;
    decltype(&::cdio_get_first_track_num) GetFirstTrackNum;
    decltype(&::cdio_get_num_tracks) GetNumTracks;
    decltype(&::cdio_get_track_lsn) GetTrackLsn;
    decltype(&::cdio_get_track_format) GetTrackFormat;
    decltype(&::cdio_read_audio_sectors) ReadAudioSectors;
    decltype(&::cdio_get_media_changed) GetMediaChanged;
    decltype(&::cdio_eject_media) EjectMedia;
    decltype(&::cdio_eject_media_drive) EjectMediaDrive;
    decltype(&::cdio_close_tray) CloseTray;
    decltype(&::cdio_cddap_identify_cdio) CddapIdentifyCdio;
    decltype(&::cdio_cddap_open) CddapOpen;
    decltype(&::cdio_cddap_close_no_free_cdio) CddapCloseNoFreeCdio;
    decltype(&::cdio_paranoia_init) ParanoiaInit;
    decltype(&::cdio_paranoia_modeset) ParanoiaModeset;
    decltype(&::cdio_paranoia_seek) ParanoiaSeek;
    decltype(&::cdio_paranoia_read) ParanoiaRead;
    decltype(&::cdio_paranoia_free) ParanoiaFree;
};

// libcdio's functions, loading the libraries the first time; null, with the reason in `error`,
// when they cannot be loaded (then every later call gives the same answer). Safe from any thread.
const CdioApi *loadCdio(std::string &error);
// libcdio's functions if the libraries have been loaded, else null: for clean-ups that have
// nothing to do when the CD was never used.
const CdioApi *loadedCdio();

} // namespace orvane
