#include "app/platform/cd/cdio_source.h"

#include "app/platform/cd/cdio_api.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sys/stat.h>
#include <utility>

namespace orvane {
namespace {

// libcdio reports through one process-wide handler. Its messages are kept (not printed) so that
// the reason a CUE sheet was refused reaches the player's window.
std::mutex g_logMutex;
std::string g_lastMessage;

void keepMessage(cdio_log_level_t level, const char *message)
{
    if (level < CDIO_LOG_WARN || !message)
        return;
    std::lock_guard lock(g_logMutex);
    g_lastMessage = message;
}

std::string takeMessage()
{
    std::lock_guard lock(g_logMutex);
    return std::exchange(g_lastMessage, std::string());
}

void installLogHandler(const CdioApi &cdio)
{
    static std::once_flag once;
    std::call_once(once, [&cdio] { cdio.LogSetHandler(&keepMessage); });
}

// libcdio's functions, loaded at the first real use of a disc, with the log handler in place;
// null, with the reason for the player's window, when the libraries are missing. The window
// has one line for the reason, so the loader's own words (which file, which function) go to
// standard error, once: the player asks again every few seconds while it has no disc.
const CdioApi *useCdio(std::string &reason)
{
    std::string error;
    const CdioApi *cdio = loadCdio(error);
    if (!cdio) {
        static std::once_flag told;
        std::call_once(
            told, [&error] { std::fprintf(stderr, "orvane: no CD can be played: %s\n", error.c_str()); });
        reason = "The CD library could not be loaded.";
        return nullptr;
    }
    installLogHandler(*cdio);
    return cdio;
}

bool endsWith(std::string text, const std::string &suffix)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The first data file a CUE sheet names that does not exist, resolved beside the sheet.
std::string missingDataFile(const std::string &cuePath)
{
    std::ifstream in(cuePath);
    const std::string folder = cuePath.substr(0, cuePath.rfind('/') + 1);
    std::string line;
    while (std::getline(in, line)) {
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, 5, "FILE ") != 0)
            continue;
        std::string rest = line.substr(start + 5);
        std::string name;
        if (!rest.empty() && rest[0] == '"') {
            const auto close = rest.find('"', 1);
            name = rest.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        } else {
            name = rest.substr(0, rest.find(' '));
        }
        const std::string path = !name.empty() && name[0] == '/' ? name : folder + name;
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0)
            return path;
    }
    return {};
}

} // namespace

struct CdioSource::Handles {
    // Set whenever one of the handles below is: they were made by these functions.
    const CdioApi *api = nullptr;
    CdIo_t *cdio = nullptr;
    cdrom_drive_t *drive = nullptr;
    cdrom_paranoia_t *paranoia = nullptr;
    int32_t paranoiaAt = -1;
};

CdioSource CdioSource::fromEnvironment()
{
    const char *named = std::getenv("ORVANE_CD_DEVICE");
    if (named && *named) {
        const std::string path = named;
        const bool image = endsWith(path, ".cue") || endsWith(path, ".toc") || endsWith(path, ".bin");
        return CdioSource(image ? Kind::Image : Kind::Drive, path);
    }
    // The default drive is asked of libcdio when the disc is first loaded, not here: the
    // program makes its source at start, and most runs never play a CD.
    CdioSource source(Kind::Drive, "");
    source.m_findDefaultDrive = true;
    return source;
}

CdioSource::CdioSource(Kind kind, std::string path) : m_kind(kind), m_path(std::move(path)), m_h(new Handles)
{}

CdioSource::~CdioSource()
{
    if (m_h)
        unload();
}

CdioSource::CdioSource(CdioSource &&other) noexcept = default;
CdioSource &CdioSource::operator=(CdioSource &&other) noexcept = default;

void CdioSource::findDefaultDrive(const CdioApi &cdio)
{
    if (!std::exchange(m_findDefaultDrive, false))
        return;
    char *drive = cdio.GetDefaultDevice(nullptr);
    m_path = drive ? drive : "";
    cdio.Free(drive);
}

std::optional<CDTableOfContents> CdioSource::load(std::string &reason)
{
    unload();
    const CdioApi *cdio = useCdio(reason);
    if (!cdio)
        return std::nullopt;
    findDefaultDrive(*cdio);
    if (m_path.empty()) {
        reason = "No CD drive was found.";
        return std::nullopt;
    }
    takeMessage();
    struct stat info {};
    if (::stat(m_path.c_str(), &info) != 0) {
        reason = m_kind == Kind::Image ? "The CD image " + m_path + " does not exist."
                                       : "The CD drive " + m_path + " does not exist.";
        return std::nullopt;
    }
    const bool cueSheet = m_kind == Kind::Image && endsWith(m_path, ".cue");
    if (cueSheet) {
        const std::string missing = missingDataFile(m_path);
        if (!missing.empty()) {
            reason = "The CD image " + m_path + " names the file " + missing + ", which does not exist.";
            return std::nullopt;
        }
    }
    driver_id_t driver = DRIVER_DEVICE;
    if (m_kind == Kind::Image)
        driver = endsWith(m_path, ".toc") ? DRIVER_CDRDAO : DRIVER_BINCUE;
    m_h->api = cdio;
    m_h->cdio = cdio->Open(m_path.c_str(), driver);
    if (!m_h->cdio) {
        const std::string why = takeMessage();
        if (cueSheet)
            reason = "The CD image " + m_path + " is not a valid CUE sheet" +
                     (why.empty() ? std::string(".") : ": " + why);
        else
            reason = (m_kind == Kind::Image ? "The CD image " : "The CD drive ") + m_path +
                     " cannot be read" + (why.empty() ? std::string(".") : ": " + why);
        return std::nullopt;
    }
    const track_t first = cdio->GetFirstTrackNum(m_h->cdio);
    const track_t count = cdio->GetNumTracks(m_h->cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) {
        reason = m_kind == Kind::Image ? "The CD image " + m_path + " holds no tracks."
                                       : "There is no disc in the drive.";
        unload();
        return std::nullopt;
    }
    CDTableOfContents toc;
    for (track_t t = first; t < first + count; ++t) {
        const lsn_t start = cdio->GetTrackLsn(m_h->cdio, t);
        toc.tracks.push_back(CDTrackInfo{start, cdio->GetTrackFormat(m_h->cdio, t) == TRACK_FORMAT_AUDIO});
    }
    toc.leadoutLsn = cdio->GetTrackLsn(m_h->cdio, CDIO_CDROM_LEADOUT_TRACK);
    if (toc.leadoutLsn == CDIO_INVALID_LSN || toc.leadoutLsn <= toc.tracks.front().startLsn) {
        reason = "The table of contents of " + m_path + " is damaged.";
        unload();
        return std::nullopt;
    }
    if (m_kind == Kind::Drive) {
        // A real drive is read through paranoia, which repairs jitter and scratches; an image
        // holds exact sectors already.
        m_h->drive = cdio->CddapIdentifyCdio(m_h->cdio, CDDA_MESSAGE_FORGETIT, nullptr);
        if (m_h->drive && cdio->CddapOpen(m_h->drive) == 0) {
            m_h->paranoia = cdio->ParanoiaInit(m_h->drive);
            if (m_h->paranoia)
                cdio->ParanoiaModeset(m_h->paranoia, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
        }
    }
    reason.clear();
    return toc;
}

void CdioSource::unload()
{
    const CdioApi *cdio = m_h->api;
    if (!cdio) // Nothing was ever opened.
        return;
    if (m_h->paranoia)
        cdio->ParanoiaFree(m_h->paranoia);
    if (m_h->drive) // The drive structure does not own the handle it was identified from.
        cdio->CddapCloseNoFreeCdio(m_h->drive);
    if (m_h->cdio)
        cdio->Destroy(m_h->cdio);
    *m_h = Handles{};
}

bool CdioSource::loaded() const { return m_h && m_h->cdio; }

bool CdioSource::readAudio(int32_t lsn, int count, int16_t *out)
{
    if (!m_h->cdio)
        return false;
    const CdioApi &cdio = *m_h->api;
    if (!m_h->paranoia)
        return cdio.ReadAudioSectors(m_h->cdio, out, lsn, static_cast<uint32_t>(count)) == DRIVER_OP_SUCCESS;
    if (m_h->paranoiaAt != lsn)
        cdio.ParanoiaSeek(m_h->paranoia, lsn, SEEK_SET);
    for (int i = 0; i < count; ++i) {
        const int16_t *sector = cdio.ParanoiaRead(m_h->paranoia, nullptr);
        if (!sector)
            return false;
        std::memcpy(out + i * (kSectorBytes / 2), sector, kSectorBytes);
    }
    m_h->paranoiaAt = lsn + count;
    return true;
}

bool CdioSource::mediaChanged()
{
    return m_h->cdio && m_kind == Kind::Drive && m_h->api->GetMediaChanged(m_h->cdio) == 1;
}

void CdioSource::ejectTray()
{
    if (m_kind != Kind::Drive) {
        unload();
        return;
    }
    // Ejecting a drive that was never looked at is a use of the CD too.
    std::string reason;
    const CdioApi *cdio = useCdio(reason);
    if (!cdio)
        return;
    findDefaultDrive(*cdio);
    if (m_h->paranoia || m_h->drive) {
        CdIo_t *keep = m_h->cdio;
        m_h->cdio = nullptr;
        unload();
        m_h->cdio = keep;
        m_h->api = cdio;
    }
    if (m_h->cdio) {
        cdio->EjectMedia(&m_h->cdio); // frees the handle
        *m_h = Handles{};
    } else if (!m_path.empty()) {
        cdio->EjectMediaDrive(m_path.c_str());
    }
}

void CdioSource::closeTray()
{
    if (m_kind != Kind::Drive)
        return;
    std::string reason;
    const CdioApi *cdio = useCdio(reason);
    if (!cdio) // The load that follows reports why.
        return;
    findDefaultDrive(*cdio);
    if (m_path.empty())
        return;
    driver_id_t driver = DRIVER_DEVICE;
    cdio->CloseTray(m_path.c_str(), &driver);
}

} // namespace orvane
