#pragma once
// alarms32.rec: the 50 alarm records in slot order, 19,200 bytes, no header.
#include "app/alarms/alarm_table.h"

#include <optional>
#include <string>
#include <vector>

namespace orvane {

struct AlarmFileLoad {
    enum class Status {
        Loaded,     // the file was read (maybe with repairs, listed in `faults`)
        Created,    // there was no file; an empty one was made and every slot is empty
        Unreadable, // a file is there but cannot be read; every slot is empty
    };
    Status status = Status::Loaded;
    // What was wrong with the file and what was done about it; empty for a sound file.
    std::vector<std::string> faults;
};

class TAlarmFile {
public:
    explicit TAlarmFile(std::string path);
    // ProgramDir followed by "alarms32.rec".
    static std::string defaultPath();

    // Reads the file into the table and sorts it. A missing file is created empty. A file that
    // is damaged or unreadable is left on the disk as it is, and the first Save keeps it as
    // backupPath() before writing the table over it, so nothing the user had is lost. A file
    // that could not be read at all is then replaced by an ordinary readable one (its
    // permissions stay with the kept copy), so that the next start reads the saved alarms.
    // Temporaries of a save that was killed are removed first.
    AlarmFileLoad Load(TAlarmTable &table);
    // Writes all 50 slots, replacing the file in one step; the error text when it could not
    // (the old file is then untouched).
    std::optional<std::string> Save(const TAlarmTable &table);

    const std::string &path() const { return m_path; }
    std::string backupPath() const { return m_path + ".bad"; }

private:
    std::optional<std::string> keepDamagedFile();

    std::string m_path;
    bool m_backupPending = false;
    bool m_unreadable = false;
};

} // namespace orvane
