#include "app/alarms/alarm_file.h"
#include "tests/alarms/alarm_test_support.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unprivileged.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

using test::MakeAlarm;
using test::TimeAt;

std::string Bytes(const TAlarmRecord &r) { return std::string(reinterpret_cast<const char *>(&r), sizeof r); }

TAlarmRecord RecordAt(const std::string &file, int index)
{
    TAlarmRecord r;
    std::memcpy(&r, file.data() + index * 384, 384);
    return r;
}

class AlarmFileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.file("alarms32.rec");
    TAlarmFile file{path};
    TAlarmTable table;
};

TEST_F(AlarmFileTest, NoFileStartsEmptyCreatesAZeroLengthFileAndTheFirstSaveWrites19200Bytes)
{
    const AlarmFileLoad load = file.Load(table);
    EXPECT_EQ(load.status, AlarmFileLoad::Status::Created);
    EXPECT_EQ(table.countAlarms(), 0);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    EXPECT_FALSE(file.Save(table));
    EXPECT_EQ(std::filesystem::file_size(path), 19200u);
    EXPECT_FALSE(std::filesystem::exists(file.backupPath()));
}

TEST_F(AlarmFileTest, ThreeRecordsFillSlotsOneToThreeAndLeaveTheRestEmpty)
{
    TempDir::write(path, Bytes(MakeAlarm(rcDaily, TimeAt(1, 0))) + Bytes(MakeAlarm(rcDaily, TimeAt(2, 0))) +
                             Bytes(MakeAlarm(rcDaily, TimeAt(3, 0))));
    const AlarmFileLoad load = file.Load(table);
    EXPECT_EQ(load.status, AlarmFileLoad::Status::Loaded);
    EXPECT_TRUE(load.faults.empty());
    EXPECT_EQ(table.countAlarms(), 3);
    EXPECT_TRUE(table.slot(4).isEmpty());
    EXPECT_TRUE(table.slot(50).isEmpty());
}

TEST_F(AlarmFileTest, LoadSortsSevenAndSixThirtyIntoSixThirtyFirst)
{
    TempDir::write(path, Bytes(MakeAlarm(rcDaily, TimeAt(7, 0), atMessage, "seven")) +
                             Bytes(MakeAlarm(rcDaily, TimeAt(6, 30), atMessage, "half six")));
    file.Load(table);
    EXPECT_EQ(table.slot(1).Text.str(), "half six");
    EXPECT_EQ(table.slot(2).Text.str(), "seven");
}

TEST_F(AlarmFileTest, SaveWritesEveryRecordByteForByteAndLoadReadsItBack)
{
    file.Load(table);
    TAlarmRecord r = MakeAlarm(rcEvery, TimeAt(9, 15), atProgram, "xterm -e top");
    r.NextTime = test::At(2026, 12, 8, 9, 15);
    r.StopAt = test::At(2026, 12, 8, 17, 0);
    r.ProgWindow = 0x1234;
    r.Count = 15;
    r.EveryUnit = euMinutes;
    r.EveryDaysCode = 9;
    table.storeAlarm(1, r);
    ASSERT_FALSE(file.Save(table));
    const std::string bytes = TempDir::read(path);
    ASSERT_EQ(bytes.size(), 19200u);
    EXPECT_EQ(Bytes(RecordAt(bytes, 0)), Bytes(r));
    EXPECT_EQ(bytes[324], 1) << "ActionType little-endian at 324";
    EXPECT_EQ(bytes[328], 3) << "Recurrence at 328";
    EXPECT_EQ(static_cast<unsigned char>(bytes[378]), 0x34) << "ProgWindow low byte at 378";

    TAlarmTable again;
    TAlarmFile(path).Load(again);
    EXPECT_EQ(Bytes(again.slot(1)), Bytes(r));
}

TEST_F(AlarmFileTest, ExtraBytesAreIgnoredTheNextSaveWrites19200AndTheOriginalIsKept)
{
    std::string content;
    for (int i = 0; i < 50; ++i)
        content += Bytes(MakeAlarm(rcDaily, TimeAt(i % 24, 0)));
    content += std::string(100, 'x');
    TempDir::write(path, content);
    const AlarmFileLoad load = file.Load(table);
    EXPECT_EQ(table.countAlarms(), 50);
    EXPECT_FALSE(load.faults.empty());
    ASSERT_FALSE(file.Save(table));
    EXPECT_EQ(std::filesystem::file_size(path), 19200u);
    EXPECT_EQ(TempDir::read(file.backupPath()), content);
}

TEST_F(AlarmFileTest, AFileShorterThanARecordLoadsEmptyAndIsKeptBeforeTheFirstSave)
{
    TempDir::write(path, "not an alarm file");
    const AlarmFileLoad load = file.Load(table);
    EXPECT_EQ(table.countAlarms(), 0);
    ASSERT_EQ(load.faults.size(), 1u);
    EXPECT_EQ(TempDir::read(path), "not an alarm file") << "loading never writes over what the user had";
    ASSERT_FALSE(file.Save(table));
    EXPECT_EQ(TempDir::read(file.backupPath()), "not an alarm file");
    std::filesystem::remove(file.backupPath());
    ASSERT_FALSE(file.Save(table));
    EXPECT_FALSE(std::filesystem::exists(file.backupPath())) << "the copy is made once, at the first save";
}

TEST_F(AlarmFileTest, DamagedRecordsAreRepairedOneByOne)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    TAlarmRecord longText = MakeAlarm(rcDaily, TimeAt(1, 0), atMessage, "hello");
    longText.Text.len = 250;
    TAlarmRecord badRecurrence = MakeAlarm(rcDaily, TimeAt(2, 0));
    badRecurrence.Recurrence = 9;
    TAlarmRecord badAction = MakeAlarm(rcDaily, TimeAt(3, 0));
    badAction.ActionType = -1;
    TAlarmRecord nanStart = MakeAlarm(rcDaily, TimeAt(4, 0), atMessage, "nan start");
    nanStart.StartTime = nan;
    TAlarmRecord infNext = MakeAlarm(rcDaily, TimeAt(5, 0), atMessage, "inf next");
    infNext.NextTime = std::numeric_limits<double>::infinity();
    TAlarmRecord nanDate = MakeAlarm(rcOnce, TimeAt(6, 0), atMessage, "nan date");
    nanDate.AlarmDate = nan;
    TAlarmRecord oddFlag = MakeAlarm(rcDaily, TimeAt(8, 0), atMessage, "flag");
    oddFlag.AutoDelete = 7;
    TempDir::write(path, Bytes(longText) + Bytes(badRecurrence) + Bytes(badAction) + Bytes(nanStart) +
                             Bytes(infNext) + Bytes(nanDate) + Bytes(oddFlag));

    const AlarmFileLoad load = file.Load(table);
    EXPECT_EQ(load.faults.size(), 6u);
    EXPECT_EQ(table.countAlarms(), 5) << "unknown recurrence and unknown action empty their slots";
    for (int n = 1; n <= 50; ++n) {
        const TAlarmRecord &r = table.slot(n);
        if (r.isEmpty())
            continue;
        EXPECT_LE(r.Text.len, 100);
        EXPECT_TRUE(std::isfinite(r.StartTime) && std::isfinite(r.NextTime) && std::isfinite(r.AlarmDate));
        const std::string text = r.Text.str();
        if (text == "nan start" || text == "nan date") {
            EXPECT_FALSE(r.Active) << text << " is kept but disarmed";
        }
        if (text == "inf next") {
            EXPECT_EQ(r.NextTime, 0.0);
            EXPECT_TRUE(r.Active);
        }
        if (text == "flag") {
            EXPECT_EQ(r.AutoDelete, 1);
        }
    }
}

TEST_F(AlarmFileTest, AnEmptySlotIsEmptyWhateverItsOtherBytesHoldAndIsNotDamage)
{
    TAlarmRecord r = MakeAlarm(rcDaily, TimeAt(7, 0), atMessage, "leftover");
    r.Recurrence = rcEmpty;
    r.StartTime = std::numeric_limits<double>::quiet_NaN();
    TempDir::write(path, Bytes(r));
    const AlarmFileLoad load = file.Load(table);
    EXPECT_TRUE(load.faults.empty());
    EXPECT_EQ(table.countAlarms(), 0);
}

TEST_F(AlarmFileTest, AFailedSaveReportsItAndLeavesTheOldFileWhole)
{
    file.Load(table);
    table.storeAlarm(1, MakeAlarm(rcDaily, TimeAt(7, 0)));
    ASSERT_FALSE(file.Save(table));
    const std::string saved = TempDir::read(path);

    TAlarmFile blocked(dir.file("missing-folder-is-a-file/alarms32.rec"));
    TempDir::write(dir.file("missing-folder-is-a-file"), "");
    const std::optional<std::string> error = blocked.Save(table);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("Unable to write to"), std::string::npos);

    table.storeAlarm(2, MakeAlarm(rcDaily, TimeAt(8, 0)));
    ::chmod(path.c_str(), 0444); // the user made the file read-only
    const std::optional<std::string> readOnly = file.Save(table);
    ::chmod(path.c_str(), 0644);
    ASSERT_TRUE(readOnly);
    EXPECT_EQ(*readOnly, "Unable to write to " + path);
    EXPECT_EQ(TempDir::read(path), saved);
    for (const auto &entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().find("alarms32.rec."), std::string::npos)
            << "no temporary file is left behind: " << entry.path();
}

// An unreadable file is kept, as it is, under the backup name; the saved alarms go to an
// ordinary readable file, so that the next start finds them. As root (CI) the check runs as
// nobody, for whom a mode-0 file is as unreadable as for any user.
TEST_F(AlarmFileTest, AnUnreadableFileIsMovedAsideNotOverwritten)
{
    TempDir::write(path, Bytes(MakeAlarm(rcDaily, TimeAt(7, 0))));
    ::chmod(path.c_str(), 0);
    const std::string failure = test::RunUnprivileged(
        [&]() -> std::string {
            TAlarmFile unreadable(path);
            TAlarmTable t;
            if (unreadable.Load(t).status != AlarmFileLoad::Status::Unreadable)
                return "a mode-0 file was read";
            t.storeAlarm(1, MakeAlarm(rcDaily, TimeAt(8, 0), atMessage, "new"));
            if (auto error = unreadable.Save(t))
                return "save failed: " + *error;
            struct stat kept {};
            if (::stat(unreadable.backupPath().c_str(), &kept) != 0 || (kept.st_mode & 07777) != 0 ||
                kept.st_size != 384)
                return "the unreadable file was not kept as it was";
            TAlarmTable again;
            const AlarmFileLoad next = TAlarmFile(path).Load(again);
            if (next.status != AlarmFileLoad::Status::Loaded || again.slot(1).Text.str() != "new")
                return "the next start cannot read the saved alarms";
            return {};
        },
        {dir.path()});
    EXPECT_EQ(failure, "");
}

TEST_F(AlarmFileTest, StaleTemporariesOfAKilledSaveGoAtLoadAndNothingElse)
{
    const std::vector<std::string> stale = {"alarms32.rec.Ab12Cd", "alarms32.rec.zzzzzz"};
    const std::vector<std::string> kept = {"alarms32.rec.bad",     "alarms32.rec.Ab12C",
                                           "alarms32.rec.Ab12Cde", "alarms32.rec.Ab-2Cd",
                                           "murvelin.ini.Ab12Cd",  "xalarms32.rec.Ab12Cd"};
    for (const auto &name : stale)
        TempDir::write(dir.file(name), "partial");
    for (const auto &name : kept)
        TempDir::write(dir.file(name), "other");
    std::filesystem::create_directory(dir.file("alarms32.rec.Folder"));
    TempDir::write(dir.file("target"), "linked");
    std::filesystem::create_symlink(dir.file("target"), dir.file("alarms32.rec.Link99"));

    file.Load(table);
    for (const auto &name : stale)
        EXPECT_FALSE(std::filesystem::exists(dir.file(name))) << name;
    for (const auto &name : kept)
        EXPECT_TRUE(std::filesystem::exists(dir.file(name))) << name;
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("alarms32.rec.Folder")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("alarms32.rec.Link99")));
    EXPECT_EQ(TempDir::read(dir.file("target")), "linked");
}

TEST_F(AlarmFileTest, RuleNumbersOfTheAlarmsKindAreRangeCheckedAndTheOthersLeftAlone)
{
    struct Case {
        const char *name;
        RecurrenceKind kind;
        int32_t which, day, count, unit, everyDays;
        bool damaged;
    };
    const Case cases[] = {
        {"every 15 min on weekdays", rcEvery, 0, 0, 15, euMinutes, 9, false},
        {"every 23 h", rcEvery, 0, 0, 23, euHours, 8, false},
        {"every huge count", rcEvery, 1, 1, 872415247, euHours, 8, true},
        {"every 0 count", rcEvery, 1, 1, 0, euMinutes, 8, true},
        {"every 24 h", rcEvery, 1, 1, 24, euHours, 8, true},
        {"every unit 3", rcEvery, 1, 1, 5, 3, 8, true},
        {"every days 11", rcEvery, 1, 1, 5, euMinutes, 11, true},
        {"monthly 31, other kinds' fields 0", rcMonthly, 0, 0, 31, 0, 0, false},
        {"monthly 32", rcMonthly, 1, 1, 32, 1, 1, true},
        {"recurs last weekend", rcRecurs, 6, 9, 0, 0, 0, false},
        {"recurs which 7", rcRecurs, 7, 1, 1, 1, 1, true},
        {"recurs day 0", rcRecurs, 1, 0, 1, 1, 1, true},
        {"daily with stray numbers", rcDaily, -5, 99, -1, 77, 12, false},
    };
    for (const Case &c : cases) {
        TAlarmRecord r = MakeAlarm(c.kind, TimeAt(7, 0), atMessage, c.name);
        r.RecursWhichCode = c.which;
        r.RecursDayCode = c.day;
        r.Count = c.count;
        r.EveryUnit = c.unit;
        r.EveryDaysCode = c.everyDays;
        TempDir::write(path, Bytes(r));
        TAlarmTable t;
        const AlarmFileLoad load = TAlarmFile(path).Load(t);
        EXPECT_EQ(!load.faults.empty(), c.damaged) << c.name;
        EXPECT_EQ(t.slot(1).Active, c.damaged ? 0 : 1) << c.name;
        if (c.damaged && c.kind == rcEvery) {
            EXPECT_TRUE(t.slot(1).Count >= 1 && t.slot(1).Count <= 59) << c.name;
        }
    }
}

TEST_F(AlarmFileTest, TheDamageMessageNamesOnlyWhatIsWrong)
{
    TAlarmRecord badAction = MakeAlarm(rcRecurs, TimeAt(7, 0));
    badAction.RecursDayCode = 1;
    badAction.ActionType = 99;
    TAlarmRecord badRecurrence = MakeAlarm(rcDaily, TimeAt(7, 0));
    badRecurrence.Recurrence = 7;
    TAlarmRecord both = MakeAlarm(rcDaily, TimeAt(7, 0));
    both.Recurrence = -2;
    both.ActionType = 6;
    TempDir::write(path, Bytes(badAction) + Bytes(badRecurrence) + Bytes(both));
    const AlarmFileLoad load = file.Load(table);
    ASSERT_EQ(load.faults.size(), 3u);
    EXPECT_EQ(load.faults[0], "slot 1: unknown action 99; slot emptied");
    EXPECT_EQ(load.faults[1], "slot 2: unknown recurrence 7; slot emptied");
    EXPECT_EQ(load.faults[2], "slot 3: unknown recurrence -2 and unknown action 6; slot emptied");
}

TEST_F(AlarmFileTest, ADateTimeTheLoaderWouldRefuseIsNeverSaved)
{
    file.Load(table);
    TAlarmRecord r = MakeAlarm(rcEvery, TimeAt(7, 0), atMessage, "far");
    r.EveryDaysCode = 8;
    r.NextTime = 5.0e6; // past the year 9999
    r.StopAt = -1.0e7;  // before the year 1
    table.storeAlarm(1, r);
    ASSERT_FALSE(file.Save(table));
    TAlarmTable again;
    const AlarmFileLoad load = TAlarmFile(path).Load(again);
    EXPECT_TRUE(load.faults.empty()) << load.faults.front();
    EXPECT_EQ(again.slot(1).NextTime, 0.0);
    EXPECT_EQ(again.slot(1).StopAt, 0.0);
}

} // namespace
} // namespace orvane
