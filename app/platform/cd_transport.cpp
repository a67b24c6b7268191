#include "app/platform/cd_transport.h"

#include <algorithm>
#include <utility>

namespace orvane {

void CDTransport::insert(CDTableOfContents toc)
{
    m_toc = std::move(toc);
    m_mode = m_toc.empty() ? CDMode::NotReady : CDMode::Stopped;
    jumpTo(m_toc.startOf(1));
    m_end = m_toc.leadoutLsn;
}

void CDTransport::remove(CDMode reason)
{
    m_toc = {};
    m_mode = reason;
    jumpTo(0);
    m_end = 0;
    m_notification = false;
}

uint32_t CDTransport::position() const { return hasDisc() ? m_toc.tmsfAt(m_head) : 0; }

void CDTransport::play(std::optional<uint32_t> from, std::optional<uint32_t> to)
{
    if (!hasDisc())
        return;
    const int32_t start = from ? m_toc.lsnOf(*from) : m_head;
    m_end = to ? m_toc.lsnOf(*to) : m_toc.leadoutLsn;
    jumpTo(m_toc.audioFrom(start));
    if (m_head >= m_end) {
        // Nothing audible lies between the two positions: the play is over at once.
        m_head = std::clamp(start, m_toc.startOf(1), std::max(m_toc.leadoutLsn - 1, m_toc.startOf(1)));
        finish();
        return;
    }
    m_mode = CDMode::Playing;
}

void CDTransport::pause()
{
    if (m_mode == CDMode::Playing)
        m_mode = CDMode::Paused;
}

void CDTransport::resume()
{
    if (m_mode == CDMode::Paused)
        m_mode = CDMode::Playing;
}

void CDTransport::stop()
{
    if (m_mode == CDMode::Playing || m_mode == CDMode::Paused)
        m_mode = CDMode::Stopped;
}

void CDTransport::seek(int32_t lsn)
{
    if (!hasDisc())
        return;
    m_mode = CDMode::Stopped;
    jumpTo(std::clamp(lsn, m_toc.startOf(1), std::max(m_toc.leadoutLsn - 1, m_toc.startOf(1))));
}

void CDTransport::next()
{
    if (!hasDisc())
        return;
    const int track = m_toc.trackAt(m_head);
    if (track >= m_toc.count())
        return;
    jumpTo(m_toc.startOf(track + 1));
    if (m_mode == CDMode::Playing) {
        m_end = m_toc.leadoutLsn;
        jumpTo(m_toc.audioFrom(m_head));
    }
}

void CDTransport::previous()
{
    if (!hasDisc())
        return;
    const int track = m_toc.trackAt(m_head);
    // Within the first second of a track the button goes back a track, as a drive's does.
    const bool atStart = m_head - m_toc.startOf(track) < kFramesPerSecond;
    jumpTo(m_toc.startOf(atStart && track > 1 ? track - 1 : track));
    if (m_mode == CDMode::Playing)
        m_end = m_toc.leadoutLsn;
}

void CDTransport::heardUpTo(int32_t lsn)
{
    if (m_mode != CDMode::Playing)
        return;
    if (lsn >= m_end) {
        m_head = std::max(m_end - 1, m_toc.startOf(1));
        finish();
        return;
    }
    m_head = std::max(m_head, lsn);
}

bool CDTransport::takeNotification() { return std::exchange(m_notification, false); }

void CDTransport::jumpTo(int32_t lsn)
{
    m_head = lsn;
    ++m_generation;
}

void CDTransport::finish()
{
    m_mode = CDMode::Stopped;
    m_notification = true;
    ++m_generation;
}

} // namespace orvane
