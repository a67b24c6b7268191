#pragma once
// One alarm exactly as it is stored in alarms32.rec: 384 bytes, little-endian, with padding.
// The layout is the file format, so every field keeps its offset.
#include "app/common/date_time.h"
#include "app/common/short_string.h"

#include <bit>
#include <cstddef>
#include <cstdint>

namespace orvane {

static_assert(std::endian::native == std::endian::little, "the alarm file is little-endian");

enum ActionType : int32_t {
    atMessage = 0,
    atProgram = 1,
    atWaveFile = 2,
    atCDPlayer = 3,
    atCommand = 4,
    atLauncher = 5,
};

enum RecurrenceKind : int32_t {
    rcEmpty = 0,
    rcOnce = 1,
    rcRecurs = 2,
    rcEvery = 3,
    rcDaily = 4,
    rcMonthly = 5,
};

enum EveryUnit : int32_t { euMinutes = 1, euHours = 2 };

inline constexpr std::size_t kAlarmTextMax = 100;
inline constexpr const char *kNoWave = "NONE";

using AlarmText = ShortString<kAlarmTextMax>;

#pragma pack(push, 1)
struct TAlarmRecord {
    AlarmText Text;
    AlarmText BeforeWave;
    AlarmText AfterWave;
    uint8_t pad303 = 0;
    TDateTime StartTime = 0;
    uint8_t StopEnabled = 0;
    uint8_t AutoStart = 0;
    uint8_t pad314[2] = {};
    TDateTime StopTime = 0;
    int32_t ActionType = atMessage;
    int32_t Recurrence = rcEmpty;
    TDateTime AlarmDate = 0;
    int32_t RecursWhichCode = 0;
    int32_t RecursDayCode = 0;
    int32_t Count = 0;
    int32_t EveryUnit = 0;
    int32_t EveryDaysCode = 0;
    TDateTime NextTime = 0;
    TDateTime StopAt = 0;
    uint8_t Active = 0;
    uint8_t RunMinimized = 0;
    uint16_t ProgWindow = 0;
    uint8_t AutoDelete = 0;
    uint8_t pad381[3] = {};

    bool isEmpty() const { return Recurrence == rcEmpty; }
};
#pragma pack(pop)

static_assert(sizeof(TAlarmRecord) == 384);
static_assert(offsetof(TAlarmRecord, Text) == 0);
static_assert(offsetof(TAlarmRecord, BeforeWave) == 101);
static_assert(offsetof(TAlarmRecord, AfterWave) == 202);
static_assert(offsetof(TAlarmRecord, StartTime) == 304);
static_assert(offsetof(TAlarmRecord, StopEnabled) == 312);
static_assert(offsetof(TAlarmRecord, AutoStart) == 313);
static_assert(offsetof(TAlarmRecord, StopTime) == 316);
static_assert(offsetof(TAlarmRecord, ActionType) == 324);
static_assert(offsetof(TAlarmRecord, Recurrence) == 328);
static_assert(offsetof(TAlarmRecord, AlarmDate) == 332);
static_assert(offsetof(TAlarmRecord, RecursWhichCode) == 340);
static_assert(offsetof(TAlarmRecord, RecursDayCode) == 344);
static_assert(offsetof(TAlarmRecord, Count) == 348);
static_assert(offsetof(TAlarmRecord, EveryUnit) == 352);
static_assert(offsetof(TAlarmRecord, EveryDaysCode) == 356);
static_assert(offsetof(TAlarmRecord, NextTime) == 360);
static_assert(offsetof(TAlarmRecord, StopAt) == 368);
static_assert(offsetof(TAlarmRecord, Active) == 376);
static_assert(offsetof(TAlarmRecord, RunMinimized) == 377);
static_assert(offsetof(TAlarmRecord, ProgWindow) == 378);
static_assert(offsetof(TAlarmRecord, AutoDelete) == 380);

// The bytes an emptied slot has zeroed: from StartTime through AutoDelete (offsets 304..380), so
// every flag, number and time goes while the trailing padding stays as it was.
inline constexpr std::size_t kClearFrom = offsetof(TAlarmRecord, StartTime);
inline constexpr std::size_t kClearTo = offsetof(TAlarmRecord, AutoDelete) + 1;

} // namespace orvane
