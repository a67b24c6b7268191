#pragma once
// The name editor's working state: 41 names (entry 0 the disc, entry t track t), the index
// being edited (-1 the disc name, otherwise a 0-based track index) and the number of tracks.
// Prev, Next and OK store the field's text before moving.
#include <array>
#include <string>

namespace orvane {

class NameEditing {
public:
    NameEditing(std::array<std::string, 41> names, int index, int numTracks);

    bool namingDisc() const { return m_index < 0; }
    // "CD Name" or "Track n Name".
    std::string label() const;
    // The name the field shows.
    std::string text() const;

    void Prev(const std::string &field);
    void Next(const std::string &field);
    void OK(const std::string &field);

    int index() const { return m_index; }
    const std::array<std::string, 41> &names() const { return m_names; }

private:
    void store(const std::string &field);

    std::array<std::string, 41> m_names;
    int m_index;
    int m_numTracks;
};

} // namespace orvane
