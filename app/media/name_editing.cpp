#include "app/media/name_editing.h"

#include "app/common/stored_text.h"
#include "app/media/disc_record.h"

#include <algorithm>

namespace orvane {

NameEditing::NameEditing(std::array<std::string, 41> names, int index, int numTracks)
    : m_names(std::move(names)), m_index(index), m_numTracks(std::clamp(numTracks, 0, kMaxCDTracks))
{
    if (m_index >= m_numTracks)
        m_index = std::max(m_numTracks - 1, -1);
}

std::string NameEditing::label() const
{
    return namingDisc() ? "CD Name" : "Track " + std::to_string(m_index + 1) + " Name";
}

std::string NameEditing::text() const { return m_names[static_cast<std::size_t>(m_index + 1)]; }

void NameEditing::Prev(const std::string &field)
{
    store(field);
    if (m_index > 0)
        --m_index;
}

void NameEditing::Next(const std::string &field)
{
    store(field);
    if (!namingDisc() && m_index < m_numTracks - 1)
        ++m_index;
}

void NameEditing::OK(const std::string &field) { store(field); }

void NameEditing::store(const std::string &field)
{
    // The record holds 50 bytes; the name is cut where the record would cut it.
    m_names[static_cast<std::size_t>(m_index + 1)] = DecodeStoredText(EncodeStoredText(field, kCDNameLength));
}

} // namespace orvane
