#pragma once
// Where the CD audio comes from, over libcdio: the default drive, or the drive or CUE/BIN
// image named by ORVANE_CD_DEVICE. Reads the table of contents and audio sectors (through
// cdda/paranoia on a real drive), and opens and closes a drive's tray.
// Every call may block on the drive: the CD device makes them on its own thread only.
// libcdio is loaded at the first call that needs the disc (load, eject, close the tray), never
// by making a source; when it cannot be loaded, load() says so as its reason.
#include "app/platform/cd_toc.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace orvane {

struct CdioApi;

class CdioSource {
public:
    enum class Kind { Drive, Image };

    // The source ORVANE_CD_DEVICE names, or the default drive, found at the first load (the
    // path stays "" until then, and when there is none).
    static CdioSource fromEnvironment();
    CdioSource(Kind kind, std::string path);
    ~CdioSource();
    CdioSource(CdioSource &&other) noexcept;
    CdioSource &operator=(CdioSource &&other) noexcept;

    Kind kind() const { return m_kind; }
    const std::string &path() const { return m_path; }

    // Opens the source and reads its table of contents; none and the reason (no drive, no disc,
    // a malformed CUE sheet, a missing BIN file) when there is no disc to play.
    std::optional<CDTableOfContents> load(std::string &reason);
    // Lets the drive or image go.
    void unload();
    bool loaded() const;
    // Reads `count` audio sectors from `lsn` into 2352-byte frames of 16-bit stereo samples.
    bool readAudio(int32_t lsn, int count, int16_t *out);
    // Whether the drive reports a changed (or removed) disc since the last call.
    bool mediaChanged();
    // Opens a drive's tray (lets the handle go); closes it again.
    void ejectTray();
    void closeTray();

private:
    struct Handles;
    // Asks libcdio for the default drive, once, if this source stands for it.
    void findDefaultDrive(const CdioApi &cdio);

    Kind m_kind;
    std::string m_path;
    bool m_findDefaultDrive = false;
    std::unique_ptr<Handles> m_h;
};

} // namespace orvane
