#include "app/alarms/recurrence.h"

#include "app/alarms/day_mask.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace orvane {
namespace {

constexpr int64_t kDayMs = 86400000;
constexpr int64_t kMinuteMs = 60000;
constexpr int64_t kHourMs = 3600000;
// Every scan below finds its day within two months while its mask holds a weekday; the bound
// only guards against a rule that can never match.
constexpr int kScanDays = 800;

// Times are compared in whole milliseconds so that float error in a stored value never turns
// "equal" into "later".
int64_t ToMs(TDateTime dt) { return std::llround(dt * static_cast<double>(kDayMs)); }

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

int Weekday(int64_t day) { return DayOfWeek(static_cast<TDateTime>(day)); }

struct Moment {
    int64_t today; // day number of the current date
    int64_t nowMs; // the current time of day
    int64_t totalMs() const { return today * kDayMs + nowMs; }
};

// The rule and the moment a computation works on.
class Rule {
public:
    Rule(const TAlarmRecord &r, Moment now, bool includeNow)
        : m_r(r), m_now(now), m_includeNow(includeNow), m_startMs(ToMs(r.StartTime)),
          m_stopMs(ToMs(r.StopTime))
    {}

    // The start of day `day` lies ahead, or IncludeNow lets today's passed start count.
    bool acceptable(int64_t day) const
    {
        return day * kDayMs + m_startMs > m_now.totalMs() || todayStartPassed(day);
    }
    // As above, where the passed start must still be before the stop (when there is one).
    bool acceptableBeforeStop(int64_t day) const
    {
        return day * kDayMs + m_startMs > m_now.totalMs() || (todayStartPassed(day) && !stopPassed());
    }
    bool todayStartPassed(int64_t day) const
    {
        return m_includeNow && day == m_now.today && m_now.nowMs > m_startMs;
    }
    bool stopPassed() const { return m_r.StopEnabled && m_now.nowMs >= m_stopMs; }

    std::optional<int64_t> onceDay() const { return static_cast<int64_t>(std::floor(m_r.AlarmDate)); }
    std::optional<int64_t> recursDay() const;
    std::optional<int64_t> dailyDay() const;
    std::optional<int64_t> monthlyDay() const;
    // Every yields the whole date-time in milliseconds.
    std::optional<int64_t> everyMs() const;

private:
    std::optional<int64_t> recursEvery(DayMask mask) const;
    std::optional<int64_t> recursNth(DayMask mask, int n) const;
    std::optional<int64_t> recursLast(DayMask mask) const;

    const TAlarmRecord &m_r;
    Moment m_now;
    bool m_includeNow;
    int64_t m_startMs;
    int64_t m_stopMs;
};

int DayOfMonth(int64_t day)
{
    int y, m, d;
    DecodeDate(static_cast<TDateTime>(day), y, m, d);
    return d;
}

std::optional<int64_t> Rule::recursEvery(DayMask mask) const
{
    for (int64_t d = m_now.today; d < m_now.today + kScanDays; ++d)
        if (mask.contains(Weekday(d)) && acceptable(d))
            return d;
    return std::nullopt;
}

std::optional<int64_t> Rule::recursNth(DayMask mask, int n) const
{
    int64_t d = m_now.today - (DayOfMonth(m_now.today) - 1);
    int count = 0;
    for (int i = 0; i < kScanDays; ++i, ++d) {
        if (DayOfMonth(d) == 1)
            count = 0;
        if (!mask.contains(Weekday(d)))
            continue;
        if (++count == n && acceptableBeforeStop(d))
            return d;
    }
    return std::nullopt;
}

std::optional<int64_t> Rule::recursLast(DayMask mask) const
{
    int64_t d = m_now.today - (DayOfMonth(m_now.today) - 1);
    std::optional<int64_t> remembered;
    for (int i = 0; i < kScanDays; ++i, ++d) {
        if (i > 0 && DayOfMonth(d) == 1 && remembered)
            return remembered;
        if (mask.contains(Weekday(d)) && acceptableBeforeStop(d))
            remembered = d;
    }
    return std::nullopt;
}

std::optional<int64_t> Rule::recursDay() const
{
    const DayMask mask = DayMask::fromRecursDayCode(m_r.RecursDayCode);
    const int32_t which = m_r.RecursWhichCode;
    if (which < 1 || which > 6)
        return m_now.today;
    if (mask.isEmpty())
        return std::nullopt;
    if (which == 1)
        return recursEvery(mask);
    if (which == 6)
        return recursLast(mask);
    return recursNth(mask, which - 1);
}

std::optional<int64_t> Rule::dailyDay() const
{
    if (m_now.nowMs > m_startMs && !m_includeNow)
        return m_now.today + 1;
    return m_now.today;
}

// Day n of the month of `day` or of a later month, or the month's last day when it is shorter.
int64_t DayInMonth(int64_t day, int monthsAhead, int n)
{
    int y, m, d;
    DecodeDate(static_cast<TDateTime>(day), y, m, d);
    m += monthsAhead;
    y += (m - 1) / 12;
    m = (m - 1) % 12 + 1;
    const int dd = n < DaysInMonth(y, m) ? n : DaysInMonth(y, m);
    return static_cast<int64_t>(EncodeDate(y, m, dd));
}

std::optional<int64_t> Rule::monthlyDay() const
{
    if (m_r.Count < 1)
        return std::nullopt;
    const int64_t c = DayInMonth(m_now.today, 0, m_r.Count);
    if (c > m_now.today || (c == m_now.today && (m_startMs > m_now.nowMs || m_includeNow)))
        return c;
    return DayInMonth(m_now.today, 1, m_r.Count);
}

std::optional<int64_t> Rule::everyMs() const
{
    const DayMask mask = DayMask::fromEveryDaysCode(m_r.EveryDaysCode);
    if (mask.isEmpty() || m_r.Count < 1)
        return std::nullopt;
    int64_t d = m_now.today;
    while (!mask.contains(Weekday(d)))
        ++d;
    if (m_now.nowMs < m_startMs || m_now.today < d)
        return d * kDayMs + m_startMs;

    const int64_t interval =
        static_cast<int64_t>(m_r.Count) * (m_r.EveryUnit == euMinutes ? kMinuteMs : kHourMs);
    int64_t steps = 1;
    if (m_now.nowMs > m_startMs + interval)
        steps = (m_now.nowMs - m_startMs + interval - 1) / interval;
    const int64_t next = d * kDayMs + m_startMs + steps * interval;
    const bool stopPassedNow = m_r.StopEnabled && m_now.nowMs > m_stopMs;
    if (mask.contains(Weekday(FloorDiv(next, kDayMs))) && !stopPassedNow)
        return next;
    while (!mask.contains(Weekday(d)) || d * kDayMs + m_startMs <= m_now.totalMs())
        ++d;
    return d * kDayMs + m_startMs;
}

bool ValidRule(const TAlarmRecord &r)
{
    auto isTime = [](TDateTime t) { return std::isfinite(t) && t >= 0.0 && t < 1.0; };
    if (!isTime(r.StartTime) || (r.StopEnabled && !isTime(r.StopTime)))
        return false;
    return r.Recurrence != rcOnce || IsValidDateTime(r.AlarmDate);
}

std::optional<int64_t> CandidateDay(const Rule &rule, int32_t recurrence)
{
    switch (recurrence) {
    case rcOnce: return rule.onceDay();
    case rcRecurs: return rule.recursDay();
    case rcDaily: return rule.dailyDay();
    case rcMonthly: return rule.monthlyDay();
    default: return std::nullopt;
    }
}

bool Compute(TAlarmRecord &r, bool includeNow, Moment now)
{
    const Rule rule(r, now, includeNow);
    if (r.Recurrence == rcEvery) {
        const std::optional<int64_t> ms = rule.everyMs();
        r.NextTime = ms ? static_cast<TDateTime>(*ms) / kDayMs : kNoOccurrence;
        return ms.has_value();
    }
    const std::optional<int64_t> day = CandidateDay(rule, r.Recurrence);
    if (!day) {
        r.NextTime = kNoOccurrence;
        return false;
    }
    if (rule.todayStartPassed(*day)) {
        if (rule.stopPassed())
            return Compute(r, false, now);
        const int64_t minuteMs = now.nowMs - now.nowMs % kMinuteMs;
        r.NextTime = static_cast<TDateTime>(now.today * kDayMs + minuteMs) / kDayMs;
        return true;
    }
    r.NextTime = static_cast<TDateTime>(*day) + r.StartTime;
    return true;
}

} // namespace

bool ComputeNextTime(TAlarmRecord &record, bool IncludeNow, TDateTime now)
{
    if (record.isEmpty())
        return true;
    if (!ValidRule(record) || !IsValidDateTime(now)) {
        record.NextTime = kNoOccurrence;
        return false;
    }
    const int64_t total = ToMs(now);
    const Moment moment{FloorDiv(total, kDayMs), total - FloorDiv(total, kDayMs) * kDayMs};
    return Compute(record, IncludeNow, moment);
}

void ComputeStopAt(TAlarmRecord &record)
{
    TDateTime base = std::floor(record.NextTime);
    if (ToMs(record.StopTime) < ToMs(record.StartTime))
        base = NextDay(base);
    record.StopAt = base + record.StopTime;
}

TDateTime NextDay(TDateTime date) { return std::floor(date) + 1.0; }

} // namespace orvane
