#pragma once
// One record of the disc database "CDNAME32.REC", exactly as it lies in the file: 2264 bytes,
// little-endian 32-bit integers, names as a length byte and 50 character bytes.
#include "app/common/short_string.h"

#include <array>
#include <cstdint>
#include <string>

namespace orvane {

constexpr int kMaxCDTracks = 40;
constexpr int kCDNameLength = 50;

#pragma pack(push, 1)
struct TDiscRecord {
    int32_t NumTracks = 0;
    int32_t Track1Length = 0;
    int32_t DiscLength = 0;
    // Entry 0 is the disc name, entry t the name of track t.
    std::array<ShortString<kCDNameLength>, kMaxCDTracks + 1> Names{};
    uint8_t Padding = 0;
    std::array<int32_t, kMaxCDTracks> PlayList{};

    // Identity 0, no names, an empty play list.
    static TDiscRecord cleared();
    // A new disc: "Unknown", "Untitled 1" .. "Untitled n" (n at most 40), an empty play list.
    static TDiscRecord newDisc(int32_t numTracks, int32_t track1Length, int32_t discLength);

    bool sameDisc(int32_t numTracks, int32_t track1Length, int32_t discLength) const
    {
        return DiscLength == discLength && Track1Length == track1Length && NumTracks == numTracks;
    }
    // Names as UTF-8; entries outside 0..40 are empty.
    std::string name(int entry) const;
    // Stores a name cut to 50 characters.
    void setName(int entry, const std::string &utf8);
    // The track (1-based) of play-list entry k (1-based), or 0 when the entry is unused or names
    // no track of this disc: a damaged record never sends the player past the disc.
    int playListTrack(int k) const;
    // The number of tracks that have names, 0..40.
    int namedTracks() const;
};
#pragma pack(pop)

static_assert(sizeof(TDiscRecord) == 2264, "a disc record is 2264 bytes in the file");

} // namespace orvane
