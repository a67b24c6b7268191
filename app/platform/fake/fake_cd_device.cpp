#include "app/platform/fake/fake_cd_device.h"

#include <algorithm>

namespace orvane {

CDTableOfContents FakeCDDevice::disc(const std::vector<int> &trackSeconds, const std::vector<int> &dataTracks)
{
    CDTableOfContents toc;
    int32_t lsn = 0;
    for (std::size_t i = 0; i < trackSeconds.size(); ++i) {
        const int track = static_cast<int>(i) + 1;
        const bool data = std::find(dataTracks.begin(), dataTracks.end(), track) != dataTracks.end();
        toc.tracks.push_back(CDTrackInfo{lsn, !data});
        lsn += trackSeconds[i] * kFramesPerSecond;
    }
    toc.leadoutLsn = lsn;
    return toc;
}

void FakeCDDevice::insertDisc(CDTableOfContents toc)
{
    m_disc = std::move(toc);
    m_doorOpen = false;
    if (m_open)
        m_transport.insert(m_disc);
}

void FakeCDDevice::removeDisc()
{
    m_disc = {};
    if (m_open)
        m_transport.remove(CDMode::NotReady);
}

void FakeCDDevice::failOpens(int count, std::string error)
{
    m_failures = count;
    m_failure = std::move(error);
}

void FakeCDDevice::playFrames(int32_t frames)
{
    const bool wasPlaying = m_transport.mode() == CDMode::Playing;
    for (int32_t i = 0; i < frames && m_transport.mode() == CDMode::Playing; ++i)
        m_transport.heardUpTo(m_transport.toc().audioFrom(m_transport.head()) + 1);
    // The real device calls the handler as the play ends; the test's own call stands in for it.
    if (wasPlaying && m_transport.mode() == CDMode::Stopped && m_handler)
        m_handler();
}

void FakeCDDevice::playToEnd(int32_t limit) { playFrames(limit); }

std::optional<std::string> FakeCDDevice::open()
{
    ++m_opens;
    log("open");
    if (m_failures > 0) {
        --m_failures;
        return m_failure;
    }
    m_open = true;
    if (m_doorOpen)
        m_transport.remove(CDMode::Open);
    else if (m_disc.empty())
        m_transport.remove(CDMode::NotReady);
    else
        m_transport.insert(m_disc);
    return std::nullopt;
}

void FakeCDDevice::close()
{
    log("close");
    m_open = false;
    m_transport.remove(CDMode::NotReady);
}

void FakeCDDevice::play(std::optional<uint32_t> from, std::optional<uint32_t> to)
{
    std::string text = "play";
    text += from ? " from " + std::to_string(TmsfTrack(*from)) : std::string(" on");
    text += to ? " to " + std::to_string(TmsfTrack(*to)) : std::string(" to end");
    log(text);
    m_transport.play(from, to);
}

void FakeCDDevice::pause()
{
    log("pause");
    m_transport.pause();
}

void FakeCDDevice::resume()
{
    log("resume");
    m_transport.resume();
}

void FakeCDDevice::stop()
{
    log("stop");
    m_transport.stop();
}

void FakeCDDevice::seekToStart()
{
    log("seek start");
    m_transport.seek(m_transport.toc().startOf(1));
}

void FakeCDDevice::seek(uint32_t tmsf)
{
    log("seek " + std::to_string(TmsfTrack(tmsf)));
    m_transport.seek(m_transport.toc().lsnOf(tmsf));
}

void FakeCDDevice::next()
{
    log("next");
    m_transport.next();
}

void FakeCDDevice::previous()
{
    log("previous");
    m_transport.previous();
}

void FakeCDDevice::eject()
{
    log("eject");
    if (m_transport.mode() == CDMode::Open) {
        m_doorOpen = false;
        m_transport.insert(m_disc);
        return;
    }
    m_doorOpen = true;
    m_transport.remove(CDMode::Open);
}

void FakeCDDevice::log(std::string command) { m_commands.push_back(std::move(command)); }

} // namespace orvane
