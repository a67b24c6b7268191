#include "app/platform/cd/cdio_cd_device.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

namespace orvane {
namespace {

constexpr int kFramesPerSector = kSectorBytes / 4;
// Two seconds read ahead ride out a slow drive; a disc that plays never waits on a read.
constexpr std::size_t kAheadSectors = 150;
constexpr int kBatchSectors = 15;
// How often a drive (or an unreadable image) is looked at again for a new disc.
constexpr auto kDiscCheck = std::chrono::seconds(2);
// open() waits this long for the first look at the disc, so that a window shows it at once.
constexpr auto kFirstLoadWait = std::chrono::milliseconds(500);

} // namespace

CdioCDDevice::CdioCDDevice(CdioSource source, std::function<void(int)> onPlay)
    : m_source(std::move(source)), m_onPlay(std::move(onPlay))
{}

CdioCDDevice::~CdioCDDevice()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_handler = nullptr;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    m_stream.reset();
}

std::optional<std::string> CdioCDDevice::open()
{
    std::unique_lock lock(m_mutex);
    if (!m_thread.joinable()) {
        try {
            m_thread = std::thread(&CdioCDDevice::worker, this);
        } catch (const std::system_error &e) {
            return std::string("The CD device cannot be opened: ") + e.what();
        }
    }
    m_open = true;
    m_loadDone = false;
    m_request = Request::Load;
    m_wake.notify_all();
    m_loaded.wait_for(lock, kFirstLoadWait, [this] { return m_loadDone; });
    return std::nullopt;
}

void CdioCDDevice::close()
{
    std::lock_guard lock(m_mutex);
    m_open = false;
    m_transport.remove(CDMode::NotReady);
    m_request = Request::Unload;
    m_wake.notify_all();
}

bool CdioCDDevice::isOpen() const
{
    std::lock_guard lock(m_mutex);
    return m_open;
}

CDMode CdioCDDevice::mode()
{
    std::lock_guard lock(m_mutex);
    return m_open ? m_transport.mode() : CDMode::NotReady;
}

std::string CdioCDDevice::notReadyReason() const
{
    std::lock_guard lock(m_mutex);
    return m_transport.mode() == CDMode::NotReady ? m_reason : std::string();
}

uint32_t CdioCDDevice::position()
{
    std::lock_guard lock(m_mutex);
    return m_transport.position();
}

int CdioCDDevice::numberOfTracks()
{
    std::lock_guard lock(m_mutex);
    return m_transport.toc().count();
}

uint32_t CdioCDDevice::discLength()
{
    std::lock_guard lock(m_mutex);
    return m_transport.toc().discLengthMsf();
}

uint32_t CdioCDDevice::trackLength(int track)
{
    std::lock_guard lock(m_mutex);
    return m_transport.toc().trackLengthMsf(track);
}

uint32_t CdioCDDevice::trackStart(int track)
{
    std::lock_guard lock(m_mutex);
    return m_transport.toc().trackStartTmsf(track);
}

template <typename F>
void CdioCDDevice::command(F &&f)
{
    {
        std::lock_guard lock(m_mutex);
        f();
    }
    m_wake.notify_all();
}

void CdioCDDevice::play(std::optional<uint32_t> from, std::optional<uint32_t> to)
{
    int track = 0;
    command([&] {
        m_transport.play(from, to);
        if (m_transport.mode() == CDMode::Playing)
            track = m_transport.toc().trackAt(m_transport.head());
    });
    if (track > 0 && m_onPlay)
        m_onPlay(track);
}

void CdioCDDevice::pause()
{
    command([&] { m_transport.pause(); });
}

void CdioCDDevice::resume()
{
    command([&] { m_transport.resume(); });
}

void CdioCDDevice::stop()
{
    command([&] { m_transport.stop(); });
}

void CdioCDDevice::seekToStart()
{
    command([&] { m_transport.seek(m_transport.toc().startOf(1)); });
}

void CdioCDDevice::seek(uint32_t tmsf)
{
    command([&] { m_transport.seek(m_transport.toc().lsnOf(tmsf)); });
}

void CdioCDDevice::next()
{
    command([&] { m_transport.next(); });
}

void CdioCDDevice::previous()
{
    command([&] { m_transport.previous(); });
}

void CdioCDDevice::eject()
{
    command([&] {
        if (!m_open)
            return;
        if (m_transport.mode() == CDMode::Open) {
            // The door closes: the disc (or the image) is loaded again.
            m_transport.remove(CDMode::NotReady);
            m_request = Request::CloseTray;
            return;
        }
        m_transport.remove(CDMode::Open);
        m_request = Request::Eject;
    });
}

bool CdioCDDevice::takeNotification()
{
    std::lock_guard lock(m_mutex);
    return m_transport.takeNotification();
}

void CdioCDDevice::setNotifyHandler(std::function<void()> handler)
{
    std::lock_guard lock(m_mutex);
    m_handler = std::move(handler);
}

bool CdioCDDevice::hasAudioOutput() const
{
    std::lock_guard lock(m_mutex);
    return m_stream != nullptr;
}

void CdioCDDevice::worker()
{
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        serveRequest(lock);
        checkDisc(lock);
        const bool playing = m_open && m_transport.mode() == CDMode::Playing;
        if (playing && !m_streamTried) {
            // The output is opened at the first play, not before: a player that never plays
            // never holds an audio device.
            m_streamTried = true;
            lock.unlock();
            std::string error;
            auto stream =
                CdAudioStream::open([this](int16_t *out, int frames) { render(out, frames); }, error);
            if (!stream)
                std::fprintf(stderr, "orvane: CD audio plays silently, no audio output: %s\n", error.c_str());
            lock.lock();
            m_stream = std::move(stream);
            m_lastTime = std::chrono::steady_clock::now();
        }
        if (m_stream && m_stream->running() != playing) {
            // SDL's device lock is taken without ours: the audio callback takes ours inside it.
            CdAudioStream *stream = m_stream.get();
            lock.unlock();
            stream->run(playing);
            lock.lock();
        }
        if (playing && readAhead(lock))
            continue;
        if (playing && !m_stream)
            keepTimeWithoutDevice(lock);
        m_wake.wait_for(lock, playing ? std::chrono::milliseconds(10) : std::chrono::milliseconds(500));
    }
    lock.unlock();
    if (m_stream)
        m_stream->run(false);
    m_source.unload();
}

void CdioCDDevice::serveRequest(std::unique_lock<std::mutex> &lock)
{
    const Request request = std::exchange(m_request, Request::None);
    if (request == Request::None)
        return;
    lock.unlock();
    std::string reason;
    std::optional<CDTableOfContents> toc;
    switch (request) {
    case Request::CloseTray:
        m_source.closeTray();
        toc = m_source.load(reason);
        break;
    case Request::Load: toc = m_source.load(reason); break;
    case Request::Unload: m_source.unload(); break;
    case Request::Eject: m_source.ejectTray(); break;
    case Request::None: break;
    }
    lock.lock();
    m_lastCheck = std::chrono::steady_clock::now();
    if (request == Request::Load || request == Request::CloseTray) {
        // A request that came while loading (close, eject) wins over what was loaded.
        if (m_request == Request::None && m_open) {
            if (toc)
                m_transport.insert(std::move(*toc));
            else
                m_transport.remove(CDMode::NotReady);
        }
        m_reason = reason;
        m_loadDone = true;
        m_loaded.notify_all();
    }
}

void CdioCDDevice::checkDisc(std::unique_lock<std::mutex> &lock)
{
    if (!m_open || m_request != Request::None || std::chrono::steady_clock::now() - m_lastCheck < kDiscCheck)
        return;
    m_lastCheck = std::chrono::steady_clock::now();
    const CDMode mode = m_transport.mode();
    if (mode == CDMode::NotReady || (mode == CDMode::Open && m_source.kind() == CdioSource::Kind::Drive)) {
        m_request = Request::Load;
        return;
    }
    if (mode == CDMode::Stopped && m_source.kind() == CdioSource::Kind::Drive) {
        lock.unlock();
        const bool changed = m_source.mediaChanged();
        lock.lock();
        if (changed && m_request == Request::None)
            m_request = Request::Load;
    }
}

bool CdioCDDevice::readAhead(std::unique_lock<std::mutex> &lock)
{
    if (m_readGeneration != m_transport.generation()) {
        m_ring.clear();
        m_offset = 0;
        m_readGeneration = m_transport.generation();
        m_readPos = m_transport.head();
        m_readEnd = m_transport.end();
        m_readDone = false;
    }
    if (m_readDone || m_ring.size() >= kAheadSectors)
        return false;
    const CDTableOfContents &toc = m_transport.toc();
    const int32_t lsn = toc.audioFrom(m_readPos);
    if (lsn >= m_readEnd) {
        m_ring.push_back(Chunk{m_readEnd, {}});
        m_readDone = true;
        return true;
    }
    // A small first read starts the sound soon; later reads go in larger steps, never past the
    // end of the track (the next may hold data) or of the play.
    const int32_t limit = std::min(m_readEnd, toc.endOf(toc.trackAt(lsn)));
    const int count = static_cast<int>(std::min<int32_t>(m_ring.empty() ? 2 : kBatchSectors, limit - lsn));
    const uint64_t generation = m_readGeneration;
    std::vector<int16_t> buffer(static_cast<std::size_t>(count) * kSectorBytes / 2);
    lock.unlock();
    const bool ok = m_source.readAudio(lsn, count, buffer.data());
    lock.lock();
    if (generation != m_transport.generation())
        return true; // The head jumped while reading: what was read is not wanted.
    if (!ok) {
        // The disc went away (or cannot be read): the player finds no disc at its next poll.
        m_transport.remove(CDMode::NotReady);
        m_reason = "The disc could not be read.";
        m_source.unload();
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const auto *first = buffer.data() + static_cast<std::size_t>(i) * kSectorBytes / 2;
        m_ring.push_back(Chunk{lsn + i, std::vector<int16_t>(first, first + kSectorBytes / 2)});
    }
    m_readPos = lsn + count;
    return true;
}

void CdioCDDevice::keepTimeWithoutDevice(std::unique_lock<std::mutex> &lock)
{
    const auto now = std::chrono::steady_clock::now();
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(now - m_lastTime).count();
    const int frames = static_cast<int>(elapsed * 44100 / 1000000);
    if (frames <= 0)
        return;
    m_lastTime = now;
    std::vector<int16_t> scratch(static_cast<std::size_t>(frames) * 2);
    lock.unlock();
    render(scratch.data(), frames);
    lock.lock();
}

void CdioCDDevice::render(int16_t *out, int frames)
{
    std::function<void()> notify;
    {
        std::lock_guard lock(m_mutex);
        const bool wasPlaying = m_transport.mode() == CDMode::Playing;
        while (frames > 0 && m_transport.mode() == CDMode::Playing && !m_ring.empty() &&
               m_readGeneration == m_transport.generation()) {
            Chunk &chunk = m_ring.front();
            if (chunk.samples.empty()) {
                m_transport.heardUpTo(chunk.lsn);
                m_ring.pop_front();
                break;
            }
            const int n = std::min(frames, kFramesPerSector - m_offset);
            std::memcpy(out, chunk.samples.data() + m_offset * 2, static_cast<std::size_t>(n) * 4);
            out += n * 2;
            frames -= n;
            m_offset += n;
            m_delivered += static_cast<uint64_t>(n);
            if (m_offset == kFramesPerSector) {
                m_transport.heardUpTo(chunk.lsn + 1);
                m_ring.pop_front();
                m_offset = 0;
            }
        }
        // The play ran out here: tell the receiver, which takes the notification on its own thread.
        if (wasPlaying && m_transport.mode() == CDMode::Stopped)
            notify = m_handler;
    }
    // Whatever was not filled (paused, stopped, a slow read) is silence.
    std::memset(out, 0, static_cast<std::size_t>(frames) * 4);
    if (notify)
        notify();
}

} // namespace orvane
