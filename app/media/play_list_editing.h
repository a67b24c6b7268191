#pragma once
// The play-list editor's lists without the window: the disc's track names and the play list as
// lines of names, the editing operations, and the conversion back to track indexes by name.
#include "app/media/disc_record.h"

#include <string>
#include <vector>

namespace orvane {

class PlayListEditing {
public:
    // Tracks 1..NumTracks (at most 40) and the record's play list as names.
    void fill(const TDiscRecord &record);
    // Only the track names, keeping the play-list lines (after renaming, refill() follows).
    void fillTracks(const TDiscRecord &record);
    void fillPlayList(const TDiscRecord &record);

    const std::vector<std::string> &tracks() const { return m_tracks; }
    const std::vector<std::string> &playList() const { return m_playList; }

    // Appends the given track rows (0-based), in track order.
    void add(std::vector<int> trackRows);
    void addAll();
    // Removes the given play-list rows.
    void remove(std::vector<int> playListRows);
    void removeAll();
    // Drops a track before play-list row `row`; a row past the end appends it.
    void dropTrack(int trackRow, int row);
    // Whether a line dragged within the play list may be dropped on `row`.
    bool acceptsMove(int fromRow, int row) const;
    // Moves a play-list line to the position of the line under the pointer.
    void moveLine(int fromRow, int row);

    // Lines 1..40 as track indexes: the first track whose name equals the line without regard
    // to case; -1 past the last line (and for a line that names no track any more).
    void convertBack(TDiscRecord &record) const;

private:
    std::vector<std::string> m_tracks;
    std::vector<std::string> m_playList;
};

} // namespace orvane
