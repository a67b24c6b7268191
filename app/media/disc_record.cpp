#include "app/media/disc_record.h"

#include "app/common/stored_text.h"

#include <algorithm>

namespace orvane {

TDiscRecord TDiscRecord::cleared()
{
    TDiscRecord r;
    r.PlayList.fill(-1);
    return r;
}

TDiscRecord TDiscRecord::newDisc(int32_t numTracks, int32_t track1Length, int32_t discLength)
{
    TDiscRecord r = cleared();
    r.NumTracks = numTracks;
    r.Track1Length = track1Length;
    r.DiscLength = discLength;
    r.setName(0, "Unknown");
    for (int t = 1; t <= std::min(numTracks, kMaxCDTracks); ++t)
        r.setName(t, "Untitled " + std::to_string(t));
    return r;
}

std::string TDiscRecord::name(int entry) const
{
    if (entry < 0 || entry > kMaxCDTracks)
        return {};
    return DecodeStoredText(Names[static_cast<std::size_t>(entry)].str());
}

void TDiscRecord::setName(int entry, const std::string &utf8)
{
    if (entry < 0 || entry > kMaxCDTracks)
        return;
    Names[static_cast<std::size_t>(entry)].assign(EncodeStoredText(utf8, kCDNameLength));
}

int TDiscRecord::playListTrack(int k) const
{
    if (k < 1 || k > kMaxCDTracks)
        return 0;
    const int32_t index = PlayList[static_cast<std::size_t>(k - 1)];
    if (index < 0 || index >= std::min(NumTracks, kMaxCDTracks))
        return 0;
    return index + 1;
}

int TDiscRecord::namedTracks() const { return std::clamp(NumTracks, 0, kMaxCDTracks); }

} // namespace orvane
