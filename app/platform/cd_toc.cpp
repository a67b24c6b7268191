#include "app/platform/cd_toc.h"

#include <algorithm>

namespace orvane {

uint32_t PackTmsf(int track, int32_t frames)
{
    frames = std::max<int32_t>(frames, 0);
    const int32_t minutes = std::min<int32_t>(frames / (60 * kFramesPerSecond), 255);
    const int32_t seconds = (frames / kFramesPerSecond) % 60;
    const int32_t rest = frames % kFramesPerSecond;
    return static_cast<uint32_t>(track & 0xFF) | static_cast<uint32_t>(minutes) << 8 |
           static_cast<uint32_t>(seconds) << 16 | static_cast<uint32_t>(rest) << 24;
}

uint32_t PackMsf(int32_t frames)
{
    // The MSF form is the TMSF form shifted down by the track byte.
    return PackTmsf(0, frames) >> 8;
}

int32_t CDTableOfContents::startOf(int track) const
{
    if (tracks.empty())
        return 0;
    track = std::clamp(track, 1, count());
    return tracks[static_cast<std::size_t>(track - 1)].startLsn;
}

int32_t CDTableOfContents::endOf(int track) const
{
    if (tracks.empty())
        return 0;
    track = std::clamp(track, 1, count());
    return track < count() ? startOf(track + 1) : leadoutLsn;
}

int CDTableOfContents::trackAt(int32_t lsn) const
{
    int found = 1;
    for (int t = 1; t <= count(); ++t) {
        if (startOf(t) <= lsn)
            found = t;
    }
    return tracks.empty() ? 0 : found;
}

int32_t CDTableOfContents::audioFrom(int32_t lsn) const
{
    if (tracks.empty())
        return leadoutLsn;
    lsn = std::max(lsn, startOf(1));
    for (int t = trackAt(lsn); t <= count() && lsn < leadoutLsn; ++t) {
        if (tracks[static_cast<std::size_t>(t - 1)].audio)
            return std::max(lsn, startOf(t));
        lsn = endOf(t);
    }
    return leadoutLsn;
}

uint32_t CDTableOfContents::tmsfAt(int32_t lsn) const
{
    const int t = trackAt(lsn);
    return PackTmsf(t, lsn - startOf(t));
}

int32_t CDTableOfContents::lsnOf(uint32_t tmsf) const
{
    const int t = TmsfTrack(tmsf);
    if (t > count())
        return leadoutLsn;
    const int32_t offset = (TmsfMinutes(tmsf) * 60 + TmsfSeconds(tmsf)) * kFramesPerSecond + TmsfFrames(tmsf);
    return std::min(startOf(std::max(t, 1)) + offset, leadoutLsn);
}

uint32_t CDTableOfContents::trackLengthMsf(int track) const
{
    if (track < 1 || track > count())
        return 0;
    return PackMsf(endOf(track) - startOf(track));
}

uint32_t CDTableOfContents::discLengthMsf() const
{
    return tracks.empty() ? 0 : PackMsf(leadoutLsn - startOf(1));
}

} // namespace orvane
