#include "app/media/play_list_editing.h"

#include <algorithm>
#include <cctype>

namespace orvane {
namespace {

bool sameText(const std::string &a, const std::string &b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

void PlayListEditing::fill(const TDiscRecord &record)
{
    fillTracks(record);
    fillPlayList(record);
}

void PlayListEditing::fillTracks(const TDiscRecord &record)
{
    m_tracks.clear();
    for (int t = 1; t <= record.namedTracks(); ++t)
        m_tracks.push_back(record.name(t));
}

void PlayListEditing::fillPlayList(const TDiscRecord &record)
{
    m_playList.clear();
    for (int32_t index : record.PlayList) {
        if (index >= 0 && index < static_cast<int32_t>(m_tracks.size()))
            m_playList.push_back(m_tracks[static_cast<std::size_t>(index)]);
    }
}

void PlayListEditing::add(std::vector<int> trackRows)
{
    std::sort(trackRows.begin(), trackRows.end());
    for (int row : trackRows) {
        if (row >= 0 && row < static_cast<int>(m_tracks.size()))
            m_playList.push_back(m_tracks[static_cast<std::size_t>(row)]);
    }
}

void PlayListEditing::addAll() { m_playList.insert(m_playList.end(), m_tracks.begin(), m_tracks.end()); }

void PlayListEditing::remove(std::vector<int> playListRows)
{
    std::sort(playListRows.rbegin(), playListRows.rend());
    playListRows.erase(std::unique(playListRows.begin(), playListRows.end()), playListRows.end());
    for (int row : playListRows) {
        if (row >= 0 && row < static_cast<int>(m_playList.size()))
            m_playList.erase(m_playList.begin() + row);
    }
}

void PlayListEditing::removeAll() { m_playList.clear(); }

void PlayListEditing::dropTrack(int trackRow, int row)
{
    if (trackRow < 0 || trackRow >= static_cast<int>(m_tracks.size()))
        return;
    const std::string &name = m_tracks[static_cast<std::size_t>(trackRow)];
    if (row < 0 || row >= static_cast<int>(m_playList.size()))
        m_playList.push_back(name);
    else
        m_playList.insert(m_playList.begin() + row, name);
}

bool PlayListEditing::acceptsMove(int fromRow, int row) const
{
    const int size = static_cast<int>(m_playList.size());
    return fromRow >= 0 && fromRow < size && row >= 0 && row < size && row != fromRow;
}

void PlayListEditing::moveLine(int fromRow, int row)
{
    if (!acceptsMove(fromRow, row))
        return;
    const std::string line = m_playList[static_cast<std::size_t>(fromRow)];
    m_playList.erase(m_playList.begin() + fromRow);
    m_playList.insert(m_playList.begin() + row, line);
}

void PlayListEditing::convertBack(TDiscRecord &record) const
{
    record.PlayList.fill(-1);
    int next = 0;
    for (std::size_t i = 0; i < m_playList.size() && next < kMaxCDTracks; ++i) {
        const auto found = std::find_if(m_tracks.begin(), m_tracks.end(),
                                        [&](const std::string &t) { return sameText(t, m_playList[i]); });
        // A line whose name no track has any more cannot be played; it is left out so that
        // the list stays without gaps.
        if (found != m_tracks.end())
            record.PlayList[static_cast<std::size_t>(next++)] =
                static_cast<int32_t>(found - m_tracks.begin());
    }
}

} // namespace orvane
