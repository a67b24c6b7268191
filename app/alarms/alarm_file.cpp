#include "app/alarms/alarm_file.h"

#include "app/alarms/record_sanitizer.h"
#include "app/common/atomic_file.h"
#include "app/common/paths.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace orvane {
namespace {

constexpr std::size_t kRecordSize = sizeof(TAlarmRecord);
constexpr std::size_t kFileSize = kRecordSize * TAlarmTable::kSlots;

bool CreateEmptyFile(const std::string &path)
{
    const std::filesystem::path p(path);
    if (p.has_parent_path())
        EnsureDir(p.parent_path().string());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out);
}

} // namespace

TAlarmFile::TAlarmFile(std::string path) : m_path(std::move(path)) {}

std::string TAlarmFile::defaultPath() { return ProgramDir() + "alarms32.rec"; }

AlarmFileLoad TAlarmFile::Load(TAlarmTable &table)
{
    AlarmFileLoad result;
    // Nothing of ours saves this file yet: what a killed save left behind can go.
    RemoveStaleTemporaries(m_path);
    std::array<TAlarmRecord, TAlarmTable::kSlots> records{};
    std::ifstream in(m_path, std::ios::binary);
    if (!in) {
        std::error_code ec;
        if (std::filesystem::exists(m_path, ec) || (ec && ec != std::errc::no_such_file_or_directory)) {
            result.status = AlarmFileLoad::Status::Unreadable;
            result.faults.push_back(m_path + " cannot be read: " + std::strerror(errno));
            m_backupPending = true;
            m_unreadable = true;
        } else {
            result.status = AlarmFileLoad::Status::Created;
            CreateEmptyFile(m_path);
        }
        table.assignAll(records);
        return result;
    }

    int slot = 0;
    for (; slot < TAlarmTable::kSlots; ++slot) {
        TAlarmRecord record;
        if (!in.read(reinterpret_cast<char *>(&record), kRecordSize))
            break;
        for (const std::string &fault : SanitizeRecord(record))
            result.faults.push_back("slot " + std::to_string(slot + 1) + ": " + fault);
        records[slot] = record;
    }
    const std::streamsize partial = in.gcount();
    if (slot < TAlarmTable::kSlots && partial > 0)
        result.faults.push_back(std::to_string(partial) + " bytes of an incomplete record ignored");
    if (slot == TAlarmTable::kSlots && in.peek() != std::ifstream::traits_type::eof())
        result.faults.push_back("bytes after the 50th record ignored");
    if (in.bad())
        result.faults.push_back(m_path + " could not be read to its end");

    m_backupPending = !result.faults.empty();
    table.assignAll(records);
    table.SortAlarmTable();
    return result;
}

std::optional<std::string> TAlarmFile::keepDamagedFile()
{
    const std::string backup = backupPath();
    std::error_code ec;
    std::filesystem::remove(backup, ec);
    // A hard link keeps the damaged file even when we may not read it; a copy serves file
    // systems without links.
    if (::link(m_path.c_str(), backup.c_str()) == 0)
        return std::nullopt;
    if (errno == ENOENT)
        return std::nullopt; // the file went away meanwhile: nothing left to keep
    if (std::filesystem::copy_file(m_path, backup, std::filesystem::copy_options::overwrite_existing, ec))
        return std::nullopt;
    return "Unable to keep a copy of the damaged alarm file as " + backup;
}

std::optional<std::string> TAlarmFile::Save(const TAlarmTable &table)
{
    ExistingFile existing = ExistingFile::Respect;
    if (m_backupPending) {
        if (auto error = keepDamagedFile())
            return error;
        m_backupPending = false;
        if (m_unreadable)
            existing = ExistingFile::Supersede;
    }
    std::array<TAlarmRecord, TAlarmTable::kSlots> records = table.records();
    for (TAlarmRecord &r : records)
        if (!r.isEmpty())
            ClearUnsavableDateTimes(r);
    std::string bytes(kFileSize, '\0');
    std::memcpy(bytes.data(), records.data(), kFileSize);
    const std::filesystem::path p(m_path);
    if (p.has_parent_path())
        EnsureDir(p.parent_path().string());
    if (!WriteFileAtomically(m_path, bytes, existing)) {
        // The kept copy is made again at the next try, after the user made the file writable.
        m_backupPending = existing == ExistingFile::Supersede;
        return "Unable to write to " + m_path;
    }
    m_unreadable = false;
    return std::nullopt;
}

} // namespace orvane
