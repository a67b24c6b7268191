#pragma once
// The state of a CD transport without any input or output: which disc is in, the mode, the
// sector being heard, where the current play ends, and the notification of a play that ran to
// its end. The libcdio device feeds it from its audio thread and the test fake by hand, so both
// behave alike. Not thread-safe: the owner serialises the calls.
#include "app/platform/cd_device.h"
#include "app/platform/cd_toc.h"

#include <cstdint>
#include <optional>

namespace orvane {

class CDTransport {
public:
    // A disc (or image) is in: stopped at the start of the first track.
    void insert(CDTableOfContents toc);
    // No disc any more: NotReady (nothing there) or Open (door open).
    void remove(CDMode reason);

    CDMode mode() const { return m_mode; }
    bool hasDisc() const { return m_mode != CDMode::NotReady && m_mode != CDMode::Open; }
    const CDTableOfContents &toc() const { return m_toc; }
    uint32_t position() const;

    void play(std::optional<uint32_t> from, std::optional<uint32_t> to);
    void pause();
    void resume();
    void stop();
    void seek(int32_t lsn);
    void next();
    void previous();

    // The reading side: the sector heard next, where the play ends (exclusive), and a number
    // that changes whenever the head jumps, so that a reader drops what it read ahead.
    int32_t head() const { return m_head; }
    int32_t end() const { return m_end; }
    uint64_t generation() const { return m_generation; }
    // The listener has heard everything before `lsn`. At or past the end the play is over: the
    // transport stops on the last sector played and raises the notification.
    void heardUpTo(int32_t lsn);

    bool takeNotification();

private:
    void jumpTo(int32_t lsn);
    void finish();

    CDTableOfContents m_toc;
    CDMode m_mode = CDMode::NotReady;
    int32_t m_head = 0;
    int32_t m_end = 0;
    uint64_t m_generation = 0;
    bool m_notification = false;
};

} // namespace orvane
