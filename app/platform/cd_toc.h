#pragma once
// A disc's table of contents and the arithmetic between sector addresses and the packed forms
// the CD player speaks: TMSF positions (track, minutes, seconds, frames; track in the lowest
// byte) and MSF lengths (minutes, seconds, frames; minutes in the lowest byte). A frame is one
// sector, 1/75 of a second.
#include <cstdint>
#include <vector>

namespace orvane {

constexpr int32_t kFramesPerSecond = 75;
constexpr int32_t kSectorBytes = 2352;

struct CDTrackInfo {
    int32_t startLsn = 0;
    bool audio = true;
};

struct CDTableOfContents {
    std::vector<CDTrackInfo> tracks; // track t at index t - 1
    int32_t leadoutLsn = 0;

    int count() const { return static_cast<int>(tracks.size()); }
    bool empty() const { return tracks.empty(); }
    // Track numbers outside 1..count() are clamped.
    int32_t startOf(int track) const;
    // The start of the next track, or the lead-out after the last.
    int32_t endOf(int track) const;
    // The track holding a sector; sectors past the disc belong to the last track.
    int trackAt(int32_t lsn) const;
    // The first audio sector at or after `lsn` (skipping data tracks); the lead-out when none.
    int32_t audioFrom(int32_t lsn) const;

    uint32_t tmsfAt(int32_t lsn) const;
    int32_t lsnOf(uint32_t tmsf) const;
    uint32_t trackStartTmsf(int track) const { return tmsfAt(startOf(track)); }
    uint32_t trackLengthMsf(int track) const;
    uint32_t discLengthMsf() const;
};

uint32_t PackTmsf(int track, int32_t frames);
uint32_t PackMsf(int32_t frames);
inline int TmsfTrack(uint32_t tmsf) { return static_cast<int>(tmsf & 0xFF); }
inline int TmsfMinutes(uint32_t tmsf) { return static_cast<int>((tmsf >> 8) & 0xFF); }
inline int TmsfSeconds(uint32_t tmsf) { return static_cast<int>((tmsf >> 16) & 0xFF); }
inline int TmsfFrames(uint32_t tmsf) { return static_cast<int>((tmsf >> 24) & 0xFF); }

} // namespace orvane
