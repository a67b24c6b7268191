#include "app/common/date_format.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace orvane {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool StartsWithNoCase(std::string_view s, std::size_t at, std::string_view word)
{
    if (at + word.size() > s.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (Lower(s[at + i]) != Lower(word[i]))
            return false;
    return true;
}

std::size_t CountRun(std::string_view s, std::size_t at)
{
    std::size_t n = 1;
    while (at + n < s.size() && Lower(s[at + n]) == Lower(s[at]))
        ++n;
    return n;
}

// An AM/PM token anywhere outside quotes makes hours 12-hour.
bool HasAmPm(std::string_view f)
{
    char quote = 0;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (quote) {
            if (f[i] == quote)
                quote = 0;
            continue;
        }
        if (f[i] == '"' || f[i] == '\'') {
            quote = f[i];
            continue;
        }
        if (StartsWithNoCase(f, i, "am/pm") || StartsWithNoCase(f, i, "a/p") ||
            StartsWithNoCase(f, i, "ampm"))
            return true;
    }
    return false;
}

std::string Pad2(int v)
{
    char b[8];
    std::snprintf(b, sizeof b, "%02d", v);
    return b;
}

struct Fields {
    int year, month, day, hour, minute, second, msec, weekday;
};

class Formatter {
public:
    Formatter(const FormatSettings &fs, const Fields &f, TDateTime dt) : m_fs(fs), m_f(f), m_dt(dt) {}

    std::string run(std::string_view fmt, int depth)
    {
        std::string out;
        if (depth > 2) // nested formats ("t" inside a short time format) cannot loop for ever
            return out;
        const bool twelve = HasAmPm(fmt);
        bool afterHour = false;
        std::size_t i = 0;
        while (i < fmt.size()) {
            const char c = fmt[i];
            const char lc = Lower(c);
            if (c == '"' || c == '\'') {
                const auto close = fmt.find(c, i + 1);
                const auto end = close == std::string_view::npos ? fmt.size() : close;
                out.append(fmt.substr(i + 1, end - i - 1));
                i = close == std::string_view::npos ? fmt.size() : close + 1;
                continue;
            }
            if (lc == 'a') {
                if (StartsWithNoCase(fmt, i, "am/pm")) {
                    out += m_f.hour < 12 ? (c == 'A' ? "AM" : "am") : (c == 'A' ? "PM" : "pm");
                    i += 5;
                } else if (StartsWithNoCase(fmt, i, "a/p")) {
                    out += m_f.hour < 12 ? (c == 'A' ? "A" : "a") : (c == 'A' ? "P" : "p");
                    i += 3;
                } else if (StartsWithNoCase(fmt, i, "ampm")) {
                    out += m_f.hour < 12 ? m_fs.timeAMString : m_fs.timePMString;
                    i += 4;
                } else {
                    out += c;
                    ++i;
                }
                continue;
            }
            const std::size_t n = CountRun(fmt, i);
            switch (lc) {
            case 'c':
                out += run(m_fs.shortDateFormat, depth + 1);
                if (TimeOf(m_dt) != 0) {
                    out += ' ';
                    out += run(m_fs.longTimeFormat, depth + 1);
                }
                i += 1;
                break;
            case 'd':
                i += std::min<std::size_t>(n, 6);
                switch (std::min<std::size_t>(n, 6)) {
                case 1: out += std::to_string(m_f.day); break;
                case 2: out += Pad2(m_f.day); break;
                case 3: out += m_fs.shortDayNames[m_f.weekday - 1]; break;
                case 4: out += m_fs.longDayNames[m_f.weekday - 1]; break;
                case 5: out += run(m_fs.shortDateFormat, depth + 1); break;
                default: out += run(m_fs.longDateFormat, depth + 1); break;
                }
                break;
            case 'm': {
                const std::size_t k = std::min<std::size_t>(n, 4);
                i += k;
                if (afterHour && k <= 2) {
                    out += k == 1 ? std::to_string(m_f.minute) : Pad2(m_f.minute);
                } else if (k == 1) {
                    out += std::to_string(m_f.month);
                } else if (k == 2) {
                    out += Pad2(m_f.month);
                } else if (k == 3) {
                    out += m_fs.shortMonthNames[m_f.month - 1];
                } else {
                    out += m_fs.longMonthNames[m_f.month - 1];
                }
                break;
            }
            case 'y':
                i += std::min<std::size_t>(n, 4);
                if (n <= 2)
                    out += Pad2(m_f.year % 100);
                else
                    out += std::to_string(m_f.year);
                break;
            case 'h': {
                const std::size_t k = std::min<std::size_t>(n, 2);
                i += k;
                int h = m_f.hour;
                if (twelve) {
                    h %= 12;
                    if (h == 0)
                        h = 12;
                }
                out += k == 1 ? std::to_string(h) : Pad2(h);
                afterHour = true;
                continue; // keep afterHour for a following "mm"
            }
            case 'n':
                i += std::min<std::size_t>(n, 2);
                out += n == 1 ? std::to_string(m_f.minute) : Pad2(m_f.minute);
                break;
            case 's':
                i += std::min<std::size_t>(n, 2);
                out += n == 1 ? std::to_string(m_f.second) : Pad2(m_f.second);
                break;
            case 'z': {
                i += n >= 3 ? 3 : 1;
                char b[8];
                std::snprintf(b, sizeof b, n >= 3 ? "%03d" : "%d", m_f.msec);
                out += b;
                break;
            }
            case 't':
                i += std::min<std::size_t>(n, 2);
                out += run(n == 1 ? m_fs.shortTimeFormat : m_fs.longTimeFormat, depth + 1);
                break;
            case '/':
                out += m_fs.dateSeparator;
                ++i;
                break;
            case ':':
                out += m_fs.timeSeparator;
                ++i;
                continue; // "h:mm" still means minutes
            default:
                out += c;
                ++i;
                if (c == ' ')
                    continue;
                break;
            }
            afterHour = false;
        }
        return out;
    }

private:
    const FormatSettings &m_fs;
    const Fields &m_f;
    TDateTime m_dt;
};

// Reads digits at `i`; false when there are none.
bool ScanNumber(std::string_view s, std::size_t &i, int &value, int &digits)
{
    while (i < s.size() && s[i] == ' ')
        ++i;
    value = 0;
    digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) && digits < 9) {
        value = value * 10 + (s[i] - '0');
        ++i;
        ++digits;
    }
    return digits > 0;
}

bool ScanChar(std::string_view s, std::size_t &i, char c)
{
    while (i < s.size() && s[i] == ' ')
        ++i;
    if (i < s.size() && s[i] == c) {
        ++i;
        return true;
    }
    return false;
}

void SkipBlanks(std::string_view s, std::size_t &i)
{
    while (i < s.size() && s[i] == ' ')
        ++i;
}

enum class DateOrder { MDY, DMY, YMD };

DateOrder OrderOf(std::string_view fmt)
{
    for (char c : fmt) {
        switch (Lower(c)) {
        case 'd': return DateOrder::DMY;
        case 'm': return DateOrder::MDY;
        case 'y': return DateOrder::YMD;
        default: break;
        }
    }
    return DateOrder::MDY;
}

bool ScanDate(std::string_view s, std::size_t &i, const FormatSettings &fs, int currentYear, TDateTime &out)
{
    int n1, n2, n3 = 0, d1, d2, d3 = 0;
    if (!ScanNumber(s, i, n1, d1) || !ScanChar(s, i, fs.dateSeparator) || !ScanNumber(s, i, n2, d2))
        return false;
    int y, m, d;
    const DateOrder order = OrderOf(fs.shortDateFormat);
    const std::size_t save = i;
    if (ScanChar(s, i, fs.dateSeparator) && ScanNumber(s, i, n3, d3)) {
        switch (order) {
        case DateOrder::MDY:
            m = n1;
            d = n2;
            y = n3;
            break;
        case DateOrder::DMY:
            d = n1;
            m = n2;
            y = n3;
            break;
        default:
            y = n1;
            m = n2;
            d = n3;
            d3 = d1;
            break;
        }
        if (d3 <= 2)
            y += (currentYear / 100) * 100;
    } else {
        i = save;
        y = currentYear;
        if (order == DateOrder::DMY) {
            d = n1;
            m = n2;
        } else {
            m = n1;
            d = n2;
        }
    }
    auto v = TryEncodeDate(y, m, d);
    if (!v)
        return false;
    out = *v;
    return true;
}

// An AM/PM designator: the settings' own words, or "AM"/"PM"/"A"/"P".
int ScanAmPm(std::string_view s, std::size_t &i, const FormatSettings &fs)
{
    SkipBlanks(s, i);
    const std::pair<std::string_view, int> words[] = {
        {fs.timeAMString, 0}, {fs.timePMString, 12}, {"AM", 0}, {"PM", 12}, {"A", 0}, {"P", 12}};
    for (const auto &[w, add] : words) {
        if (!w.empty() && StartsWithNoCase(s, i, w)) {
            i += w.size();
            return add;
        }
    }
    return -1;
}

bool ScanTime(std::string_view s, std::size_t &i, const FormatSettings &fs, TDateTime &out)
{
    int ampm = ScanAmPm(s, i, fs);
    int h, n = 0, sec = 0, digits;
    if (!ScanNumber(s, i, h, digits))
        return false;
    if (ScanChar(s, i, fs.timeSeparator)) {
        if (!ScanNumber(s, i, n, digits))
            return false;
        if (ScanChar(s, i, fs.timeSeparator) && !ScanNumber(s, i, sec, digits))
            return false;
    }
    if (ampm < 0)
        ampm = ScanAmPm(s, i, fs);
    if (ampm >= 0) {
        if (h < 1 || h > 12)
            return false;
        h = h % 12 + ampm;
    }
    auto v = TryEncodeTime(h, n, sec, 0);
    if (!v)
        return false;
    out = *v;
    return true;
}

} // namespace

bool Is12HourFormat(const FormatSettings &fs)
{
    const auto &f = fs.shortTimeFormat;
    for (std::size_t i = 0; i + 4 <= f.size(); ++i)
        if (StartsWithNoCase(f, i, "ampm"))
            return true;
    return false;
}

std::string FormatDateTime(std::string_view format, TDateTime dt, const FormatSettings &fs)
{
    if (!IsValidDateTime(dt))
        return {};
    Fields f{};
    DecodeDate(dt, f.year, f.month, f.day);
    DecodeTime(dt, f.hour, f.minute, f.second, f.msec);
    f.weekday = DayOfWeek(dt);
    Formatter fm(fs, f, dt);
    return fm.run(format.empty() ? std::string_view("c") : format, 0);
}

std::optional<TDateTime> TryStrToDate(std::string_view text, const FormatSettings &fs, int currentYear)
{
    std::size_t i = 0;
    TDateTime d = 0;
    if (!ScanDate(text, i, fs, currentYear, d))
        return std::nullopt;
    SkipBlanks(text, i);
    return i == text.size() ? std::optional<TDateTime>(d) : std::nullopt;
}

std::optional<TDateTime> TryStrToTime(std::string_view text, const FormatSettings &fs)
{
    std::size_t i = 0;
    TDateTime t = 0;
    if (!ScanTime(text, i, fs, t))
        return std::nullopt;
    SkipBlanks(text, i);
    return i == text.size() ? std::optional<TDateTime>(t) : std::nullopt;
}

std::optional<TDateTime> TryStrToDateTime(std::string_view text, const FormatSettings &fs, int currentYear)
{
    std::size_t i = 0;
    TDateTime d = 0, t = 0;
    if (!ScanDate(text, i, fs, currentYear, d))
        return TryStrToTime(text, fs);
    SkipBlanks(text, i);
    if (i < text.size() && !ScanTime(text, i, fs, t))
        return std::nullopt;
    SkipBlanks(text, i);
    if (i != text.size())
        return std::nullopt;
    return ComposeDateTime(d, t);
}

} // namespace orvane
