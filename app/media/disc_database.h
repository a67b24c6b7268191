#pragma once
// The disc database "CDNAME32.REC": fixed 2264-byte records, no header. The look-up makes the
// record of the disc in the drive current (appending a new record for a disc never seen), the
// write-back puts the current record back at its place.
//
// Other records are never lost: records are written in place and read back to check them, and
// a partial record at the end of a damaged file is copied aside before a new record takes its
// place. Failures come back as the text to show; the record in memory keeps what it had.
#include "app/media/disc_record.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orvane {

struct DiscIdentity {
    int32_t NumTracks = 0;
    int32_t Track1Length = 0;
    int32_t DiscLength = 0;
};

struct DiscLookUp {
    bool alreadyCurrent = false; // the disc's record was current before; the file was not read
    bool appended = false;       // the disc was new and its record was added
    std::optional<std::string> error;
    // Said once per database: the file ends in a partial record (where its bytes were kept).
    std::optional<std::string> warning;
};

class TDiscDatabase {
public:
    explicit TDiscDatabase(std::string path);
    // CDNAME32.REC in ProgramDir.
    static std::string defaultPath();

    DiscLookUp LookUp(const DiscIdentity &disc);
    std::optional<std::string> WriteBack();

    TDiscRecord &current() { return m_current; }
    const TDiscRecord &current() const { return m_current; }
    int64_t currentRecordNumber() const { return m_recordNumber; }
    const std::string &path() const { return m_path; }

private:
    std::optional<std::string> writeRecord(int fd, int64_t number, const TDiscRecord &record);
    std::optional<std::string> keepPartialTail(int fd, int64_t wholeRecords, int64_t size);

    std::string m_path;
    TDiscRecord m_current = TDiscRecord::cleared();
    int64_t m_recordNumber = -1;
    bool m_warned = false;
};

} // namespace orvane
