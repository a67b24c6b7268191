#include "app/media/cd_player_logic.h"

#include "app/platform/cd_toc.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace orvane {
namespace {

std::string twoDigits(int n)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.2d", n);
    return text;
}

bool noDisc(CDMode mode) { return mode == CDMode::NotReady || mode == CDMode::Open; }

} // namespace

CDPlayerLogic::CDPlayerLogic(CDPlayerServices services) : m_s(std::move(services)), m_st(m_s.state) {}

std::string CDPlayerLogic::ModeName(int mode)
{
    switch (mode) {
    case cmLoop: return "Loop";
    case cmShuffle: return "Shuffle";
    case cmSingle: return "Single";
    case cmPlayList: return "PlayList";
    }
    return {};
}

std::optional<std::string> CDPlayerLogic::FormCreate()
{
    m_st.DiscLoaded = false;
    if (m_s.device.isOpen())
        return std::nullopt;
    return m_s.device.open();
}

void CDPlayerLogic::FormShow()
{
    m_s.flags.CDWindowOpen = true;
    LoadDisc();
    m_view.interval = 1000;
    Timer2Timer();
}

void CDPlayerLogic::FormClose()
{
    // No stop is sent: a disc that is playing goes on, and a later window finds it playing.
    m_s.flags.CDWindowOpen = false;
}

void CDPlayerLogic::LoadDisc()
{
    // After an alarm's stop the device is closed; the next look-up opens it again.
    if (!m_s.device.isOpen()) {
        if (auto error = m_s.device.open()) {
            m_view.notReady = *error;
            return;
        }
    }
    const CDMode mode = m_s.device.mode();
    m_view.notReady = m_s.device.notReadyReason();
    if (noDisc(mode))
        return;
    if (mode == CDMode::Playing) {
        Push(PushState::Play);
        if (m_st.Mode == cmNone)
            m_st.Mode = cmLoop;
    } else {
        m_st.SeqIndex = 0;
        m_st.CurrentPos = 1;
        m_st.Mode = cmLoop;
    }
    m_view.Panel2 = ModeName(m_st.Mode);
    m_st.DiscLoaded = true;
    m_view.playListBtnEnabled = true;

    const DiscIdentity disc{m_s.device.numberOfTracks(), static_cast<int32_t>(m_s.device.trackLength(1)),
                            static_cast<int32_t>(m_s.device.discLength())};
    const DiscLookUp found = m_s.database.LookUp(disc);
    if (found.warning && m_s.report)
        m_s.report(*found.warning);
    if (found.error) {
        if (m_s.report)
            m_s.report(*found.error);
        return;
    }
    const TDiscRecord &record = m_s.database.current();
    m_view.CDName = record.name(0);
    if (found.alreadyCurrent) {
        m_view.CDTrack = record.name(1);
        return;
    }
    m_view.TrackPos = twoDigits(m_st.CurrentPos);
    m_view.CDTrack = record.name(m_st.CurrentPos);
}

void CDPlayerLogic::Timer2Timer()
{
    if (m_view.interval == 2000)
        m_view.interval = 1000;
    m_view.playListBtnEnabled = m_st.DiscLoaded;
    if (!m_st.DiscLoaded) {
        m_view.CDName.clear();
        m_view.CDTrack.clear();
        m_view.TrackPos = "00";
        m_view.SongPos = "00:00";
        LoadDisc();
        return;
    }
    CDMode mode = m_s.device.mode();
    if (noDisc(mode)) {
        m_st.DiscLoaded = false;
        m_st.SeqIndex = 0;
        m_view.playListBtnEnabled = false;
        if (m_st.PlayListOpen && m_s.closePlayList)
            m_s.closePlayList();
        return;
    }
    const uint32_t position = m_s.device.position();
    const int track = TmsfTrack(position);

    if (m_s.flags.CDStopRequest) {
        m_s.flags.CDStopRequest = 0;
        m_s.device.stop();
        m_s.device.close();
        return;
    }
    if (m_s.flags.CDStartRequest) {
        m_s.flags.CDStartRequest = 0;
        m_st.Mode = m_s.flags.CDAlarmMode;
        if (m_st.Mode == cmShuffle) {
            ShufflePlay();
        } else if (m_st.Mode == cmPlayList) {
            PlayListPlay();
        } else {
            m_st.SeqIndex = 1;
            Push(PushState::Play);
        }
        // The first track runs on; the track check below moves the sequence on when the next
        // disc track begins.
        m_s.device.play(std::nullopt, std::nullopt);
        return;
    }

    const bool stoppedByItself = mode == CDMode::Stopped && !m_st.Paused;
    if ((stoppedByItself || track != m_st.ShownTrack) && m_st.SeqIndex > 0) {
        switch (m_st.Mode) {
        case cmLoop:
            if (stoppedByItself) {
                m_s.device.play(m_s.device.trackStart(1), std::nullopt);
                Push(PushState::Play);
                return;
            }
            break;
        case cmShuffle:
            if (shuffleTrack(m_st.SeqIndex + 1) > 0) {
                NextShuffle();
                return;
            }
            m_st.SeqIndex = 0;
            m_s.device.seekToStart();
            break;
        case cmPlayList:
            if (playListTrack(m_st.SeqIndex + 1) > 0) {
                NextPlayListEntry();
                return;
            }
            m_st.SeqIndex = 0;
            m_s.device.seekToStart();
            break;
        default: break;
        }
        mode = m_s.device.mode();
    }

    if (mode == CDMode::Playing) {
        m_view.Panel2 = ModeName(m_st.Mode);
        m_st.Paused = false;
    }
    if (mode != CDMode::Playing && !m_st.StopButtonsShown && !m_st.Paused) {
        m_st.StopButtonsShown = true;
        m_view.enabled = cbPlay | cbNext | cbPrev | cbEject;
        m_view.modeBtnEnabled = true;
        showTrack(m_st.CurrentPos);
    }
    if (mode != CDMode::Stopped) {
        const uint32_t now = m_s.device.position();
        m_st.CurrentPos = (m_st.Mode == cmLoop || m_st.Mode == cmSingle) ? TmsfTrack(now) : m_st.SeqIndex;
        showTrack(TmsfTrack(now), TmsfMinutes(now), TmsfSeconds(now));
    }
}

void CDPlayerLogic::MediaPlayer1Click(CDButton button)
{
    const bool playing = m_s.device.mode() == CDMode::Playing;
    if ((button == cbNext || button == cbPrev) && !playing && !m_st.Paused) {
        // Stepping while stopped only chooses where the next play starts.
        if (button == cbNext && m_st.CurrentPos < trackCount())
            ++m_st.CurrentPos;
        if (button == cbPrev && m_st.CurrentPos > 1)
            --m_st.CurrentPos;
        int shown = m_st.CurrentPos;
        if (m_st.Mode == cmShuffle && shuffleTrack(m_st.CurrentPos) > 0)
            shown = shuffleTrack(m_st.CurrentPos);
        if (m_st.Mode == cmPlayList && playListTrack(m_st.CurrentPos) > 0)
            shown = playListTrack(m_st.CurrentPos);
        showTrack(shown);
        return;
    }
    switch (button) {
    case cbPlay:
        if (m_st.Paused) {
            Push(PushState::Resume);
            std::optional<uint32_t> end;
            if (m_st.Mode == cmShuffle)
                end = endOfTrack(shuffleTrack(m_st.CurrentPos));
            else if (m_st.Mode == cmSingle)
                end = endOfTrack(m_st.CurrentPos);
            else if (m_st.Mode == cmPlayList)
                end = endOfTrack(playListTrack(m_st.SeqIndex));
            if (m_st.Mode == cmShuffle || m_st.Mode == cmSingle || m_st.Mode == cmPlayList)
                Push(PushState::Play);
            m_st.Paused = false;
            m_s.device.play(std::nullopt, end);
            return;
        }
        if (m_st.Mode == cmShuffle || m_st.Mode == cmPlayList) {
            m_view.interval = 2000;
            if (m_st.Mode == cmShuffle)
                ShufflePlay();
            else
                PlayListPlay();
            m_s.device.play(std::nullopt, std::nullopt);
            return;
        }
        m_st.SeqIndex = m_st.CurrentPos;
        m_s.device.seek(m_s.device.trackStart(m_st.CurrentPos));
        if (m_st.Mode == cmSingle) {
            const int track = TmsfTrack(m_s.device.position());
            Push(PushState::Play);
            showTrack(track);
            m_s.device.play(m_s.device.trackStart(track), endOfTrack(track));
            return;
        }
        Push(PushState::Play);
        showTrack(m_st.CurrentPos);
        m_s.device.play(std::nullopt, std::nullopt);
        return;
    case cbPause:
        m_st.Paused = true;
        Push(PushState::Pause);
        m_s.device.pause();
        return;
    case cbStop:
        m_st.SeqIndex = 0;
        Push(PushState::Stop);
        showTrack(m_st.CurrentPos);
        m_s.device.stop();
        return;
    case cbNext:
        if (m_st.Mode == cmShuffle && shuffleTrack(m_st.SeqIndex + 1) > 0) {
            NextShuffle();
            return;
        }
        if (m_st.Mode == cmPlayList && playListTrack(m_st.SeqIndex + 1) > 0) {
            NextPlayListEntry();
            return;
        }
        m_s.device.next();
        if (m_st.Mode == cmLoop || m_st.Mode == cmSingle)
            MediaPlayer1Notify();
        return;
    case cbPrev:
        if ((m_st.Mode == cmShuffle || m_st.Mode == cmPlayList) && m_st.SeqIndex >= 2) {
            --m_st.SeqIndex;
            const int track =
                m_st.Mode == cmShuffle ? shuffleTrack(m_st.SeqIndex) : playListTrack(m_st.SeqIndex);
            playTrackAlone(track);
            Push(PushState::Play);
            showTrack(track);
            return;
        }
        m_s.device.previous();
        if (m_st.Mode == cmLoop || m_st.Mode == cmSingle)
            MediaPlayer1Notify();
        return;
    case cbEject: m_s.device.eject(); return;
    default: return;
    }
}

void CDPlayerLogic::MediaPlayer1Notify()
{
    const uint32_t position = m_s.device.position();
    m_st.CurrentPos = TmsfTrack(position);
    showTrack(m_st.CurrentPos, TmsfMinutes(position), TmsfSeconds(position));
}

void CDPlayerLogic::ModeBtnClick()
{
    if (m_st.Mode == cmNone)
        return;
    m_st.Mode = m_st.Mode % 4 + 1;
    m_view.Panel2 = ModeName(m_st.Mode);
}

void CDPlayerLogic::refreshTrackCount() { m_s.database.current().NumTracks = m_s.device.numberOfTracks(); }

void CDPlayerLogic::showNamesAfterEditing()
{
    m_view.CDName = m_s.database.current().name(0);
    m_view.CDTrack = m_s.database.current().name(1);
}

void CDPlayerLogic::Push(PushState state)
{
    switch (state) {
    case PushState::Play:
        m_view.enabled = cbPause | cbStop | cbNext | cbPrev | cbEject;
        m_view.modeBtnEnabled = false;
        m_st.StopButtonsShown = false;
        break;
    case PushState::Pause:
        m_view.enabled = cbPlay | cbEject;
        m_view.modeBtnEnabled = false;
        break;
    case PushState::Resume:
        m_view.enabled = cbPause | cbStop | cbNext | cbPrev | cbRecord | cbEject;
        m_view.modeBtnEnabled = false;
        break;
    case PushState::Stop:
        m_view.enabled = cbPlay | cbNext | cbPrev | cbEject;
        m_view.modeBtnEnabled = true;
        break;
    }
}

void CDPlayerLogic::ShufflePlay()
{
    const auto now = m_s.clock.now().time_since_epoch();
    const auto msOfDay = std::chrono::duration_cast<std::chrono::milliseconds>(now).count() % 86400000;
    std::mt19937 random(m_seed ? *m_seed : static_cast<unsigned>(msOfDay));
    m_st.ShuffleOrder.fill(-1);
    // Only tracks 1 to 40 have places in the order.
    const int n = std::min(trackCount(), 40);
    for (int k = 1; k <= n; ++k)
        m_st.ShuffleOrder[static_cast<std::size_t>(k)] = k;
    if (n > 0) {
        std::uniform_int_distribution<int> pick(1, n);
        for (int swap = 0; swap < 50; ++swap)
            std::swap(m_st.ShuffleOrder[static_cast<std::size_t>(pick(random))],
                      m_st.ShuffleOrder[static_cast<std::size_t>(pick(random))]);
    }
    m_st.CurrentPos = std::clamp(m_st.CurrentPos, 1, std::max(n, 1));
    m_st.SeqIndex = m_st.CurrentPos;
    const int track = shuffleTrack(m_st.SeqIndex);
    playTrackAlone(track);
    Push(PushState::Play);
    m_st.ShownTrack = static_cast<int16_t>(track);
    showTrack(track);
}

void CDPlayerLogic::NextShuffle()
{
    ++m_st.SeqIndex;
    const int track = shuffleTrack(m_st.SeqIndex);
    playTrackAlone(track);
    Push(PushState::Play);
    m_st.ShownTrack = static_cast<int16_t>(track);
    showTrack(track);
}

void CDPlayerLogic::PlayListPlay()
{
    // A position past the list's end starts the list from its first entry; an empty list
    // starts nothing here, and the play that follows plays the disc on from where it is.
    int entry = m_st.CurrentPos;
    if (playListTrack(entry) == 0)
        entry = 1;
    if (playListTrack(entry) == 0) {
        m_st.SeqIndex = 0;
        Push(PushState::Play);
        return;
    }
    m_st.SeqIndex = entry;
    const int track = playListTrack(entry);
    playTrackAlone(track);
    Push(PushState::Play);
    m_st.ShownTrack = static_cast<int16_t>(track);
    showTrack(track);
}

void CDPlayerLogic::NextPlayListEntry()
{
    m_view.interval = 2000;
    ++m_st.SeqIndex;
    const int track = playListTrack(m_st.SeqIndex);
    playTrackAlone(track);
    Push(PushState::Play);
    m_st.ShownTrack = static_cast<int16_t>(track);
    showTrack(track);
}

void CDPlayerLogic::showTrack(int track, int minutes, int seconds)
{
    const TDiscRecord &record = m_s.database.current();
    m_view.TrackPos = twoDigits(track);
    m_view.SongPos = twoDigits(minutes) + ":" + twoDigits(seconds);
    m_view.CDTrack = record.name(track);
    m_view.CDName = record.name(0);
}

void CDPlayerLogic::playTrackAlone(int track)
{
    if (track < 1)
        return;
    m_s.device.play(m_s.device.trackStart(track), endOfTrack(track));
}

std::optional<uint32_t> CDPlayerLogic::endOfTrack(int track)
{
    if (track < 1 || track >= trackCount())
        return std::nullopt; // The last track ends with the disc.
    return m_s.device.trackStart(track + 1);
}

int CDPlayerLogic::trackCount() { return m_s.device.numberOfTracks(); }

int CDPlayerLogic::shuffleTrack(int position) const
{
    if (position < 1 || position > 40)
        return -1;
    return m_st.ShuffleOrder[static_cast<std::size_t>(position)];
}

int CDPlayerLogic::playListTrack(int entry) const { return m_s.database.current().playListTrack(entry); }

} // namespace orvane
