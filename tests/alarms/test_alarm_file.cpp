#include "app/alarms/alarm_file.h"
#include "tests/alarms/alarm_test_support.h"
#include "tests/clock/temp_dir.h"

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
    TempDir::write(path, Bytes(longText) + Bytes(badRecurrence) + Bytes(badAction) + Bytes(nanStart) + Bytes(infNext) +
                             Bytes(nanDate) + Bytes(oddFlag));

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

TEST_F(AlarmFileTest, AnUnreadableFileIsMovedAsideNotOverwritten)
{
    TempDir::write(path, Bytes(MakeAlarm(rcDaily, TimeAt(7, 0))));
    ::chmod(path.c_str(), 0);
    if (::access(path.c_str(), R_OK) == 0)
        GTEST_SKIP() << "running with privileges that read any file";
    const AlarmFileLoad load = file.Load(table);
    EXPECT_EQ(load.status, AlarmFileLoad::Status::Unreadable);
    ASSERT_FALSE(file.Save(table));
    EXPECT_TRUE(std::filesystem::exists(file.backupPath()));
    ::chmod(file.backupPath().c_str(), 0600);
    EXPECT_EQ(std::filesystem::file_size(file.backupPath()), 384u);
}

} // namespace
} // namespace orvane
