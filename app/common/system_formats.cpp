#include "app/common/system_formats.h"

#include "app/common/ini_file.h"

#include <langinfo.h>

namespace orvane {
namespace {

std::string Quoted(std::string_view text)
{
    if (text.empty())
        return {};
    return "\"" + std::string(text) + "\"";
}

std::string Lang(nl_item item)
{
    const char *s = nl_langinfo(item);
    return s ? std::string(s) : std::string();
}

// The first character of a format that is neither a letter nor a quote: its separator.
char SeparatorOf(std::string_view pattern, char fallback)
{
    for (char c : pattern) {
        if (c == '%' || c == '\'' || c == '"' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
            (c >= '0' && c <= '9') || c == ' ')
            continue;
        return c;
    }
    return fallback;
}

std::string LongDateFor(std::string_view shortDate)
{
    for (char c : shortDate) {
        if (c == 'd' || c == 'D')
            return "dddd, d mmmm yyyy";
        if (c == 'y' || c == 'Y')
            return "yyyy mmmm d, dddd";
        if (c == 'm' || c == 'M')
            return "dddd, mmmm d, yyyy";
    }
    return "dddd, mmmm d, yyyy";
}

void FromLocale(FormatSettings &fs)
{
    const std::string dfmt = Lang(D_FMT);
    const std::string tfmt = Lang(T_FMT);
    const std::string ampmFmt = Lang(T_FMT_AMPM);
    fs.timeAMString = Lang(AM_STR);
    fs.timePMString = Lang(PM_STR);
    if (!dfmt.empty()) {
        fs.shortDateFormat = FormatFromStrftime(dfmt);
        fs.dateSeparator = SeparatorOf(dfmt, '/');
    }
    const bool twelve = tfmt.empty() || tfmt.find("%I") != std::string::npos ||
                        tfmt.find("%l") != std::string::npos || tfmt.find("%p") != std::string::npos ||
                        tfmt.find("%r") != std::string::npos;
    const std::string timePattern = twelve && !ampmFmt.empty() ? ampmFmt : tfmt;
    if (!timePattern.empty()) {
        fs.longTimeFormat = FormatFromStrftime(timePattern);
        fs.shortTimeFormat = WithoutSeconds(fs.longTimeFormat);
        fs.timeSeparator = SeparatorOf(timePattern, ':');
    }
    fs.longDateFormat = LongDateFor(fs.shortDateFormat);
    for (int i = 0; i < 12; ++i) {
        fs.shortMonthNames[i] = Lang(ABMON_1 + i);
        fs.longMonthNames[i] = Lang(MON_1 + i);
    }
    for (int i = 0; i < 7; ++i) {
        fs.shortDayNames[i] = Lang(ABDAY_1 + i);
        fs.longDayNames[i] = Lang(DAY_1 + i);
    }
    if (fs.timeAMString.empty() && Is12HourFormat(fs)) {
        fs.timeAMString = "AM";
        fs.timePMString = "PM";
    }
}

void FromWinIni(FormatSettings &fs, const TIniFile &ini)
{
    const auto read = [&](const char *key) { return ini.ReadString("intl", key, ""); };
    if (auto v = read("sDate"); !v.empty())
        fs.dateSeparator = v[0];
    if (auto v = read("sTime"); !v.empty())
        fs.timeSeparator = v[0];
    if (auto v = read("s1159"); !v.empty())
        fs.timeAMString = v;
    if (auto v = read("s2359"); !v.empty())
        fs.timePMString = v;
    if (auto v = read("sShortDate"); !v.empty())
        fs.shortDateFormat = FormatFromWindowsPicture(v, false);
    if (auto v = read("sLongDate"); !v.empty())
        fs.longDateFormat = FormatFromWindowsPicture(v, false);
    const std::string iTime = read("iTime");
    const std::string longTime = read("sTimeFormat");
    const std::string shortTime = read("sShortTime");
    if (!longTime.empty())
        fs.longTimeFormat = FormatFromWindowsPicture(longTime, true);
    if (!shortTime.empty())
        fs.shortTimeFormat = FormatFromWindowsPicture(shortTime, true);
    else if (!longTime.empty())
        fs.shortTimeFormat = WithoutSeconds(fs.longTimeFormat);
    else if (iTime == "0" || iTime == "1") {
        fs.shortTimeFormat = iTime == "1" ? "hh:nn" : "h:nn AMPM";
        fs.longTimeFormat = iTime == "1" ? "hh:nn:ss" : "h:nn:ss AMPM";
    }
    if (Is12HourFormat(fs) && fs.timeAMString.empty()) {
        fs.timeAMString = "AM";
        fs.timePMString = "PM";
    }
}

} // namespace

std::string FormatFromStrftime(std::string_view p)
{
    std::string out;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] != '%' || i + 1 >= p.size()) {
            const char c = p[i];
            const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            out += letter ? Quoted(std::string(1, c)) : std::string(1, c);
            continue;
        }
        char c = p[++i];
        // Flags and widths of glibc's extensions ("%-d", "%Ey") change nothing we can show.
        while ((c == '-' || c == '_' || c == '0' || c == '^' || c == '#' || c == 'E' || c == 'O') &&
               i + 1 < p.size())
            c = p[++i];
        switch (c) {
        case 'd': out += "dd"; break;
        case 'e': out += "d"; break;
        case 'm': out += "mm"; break;
        case 'y': out += "yy"; break;
        case 'Y': out += "yyyy"; break;
        case 'C': out += "yy"; break;
        case 'b':
        case 'h': out += "mmm"; break;
        case 'B': out += "mmmm"; break;
        case 'a': out += "ddd"; break;
        case 'A': out += "dddd"; break;
        case 'H': out += "hh"; break;
        case 'k': out += "h"; break;
        case 'I': out += "hh"; break;
        case 'l': out += "h"; break;
        case 'M': out += "nn"; break;
        case 'S': out += "ss"; break;
        case 'p':
        case 'P': out += "AMPM"; break;
        case 'r': out += "hh:nn:ss AMPM"; break;
        case 'R': out += "hh:nn"; break;
        case 'T': out += "hh:nn:ss"; break;
        case 'D': out += "mm/dd/yy"; break;
        case 'F': out += "yyyy-mm-dd"; break;
        case 'n':
        case 't': out += " "; break;
        case '%': out += "%"; break;
        default: break; // time zone and week numbers have no counterpart
        }
    }
    return out;
}

std::string FormatFromWindowsPicture(std::string_view p, bool isTime)
{
    std::string out;
    for (std::size_t i = 0; i < p.size();) {
        const char c = p[i];
        std::size_t n = 1;
        while (i + n < p.size() && p[i + n] == c)
            ++n;
        if (c == '\'') {
            const auto close = p.find('\'', i + 1);
            const auto end = close == std::string_view::npos ? p.size() : close;
            out += Quoted(p.substr(i + 1, end - i - 1));
            i = close == std::string_view::npos ? p.size() : close + 1;
            continue;
        }
        switch (c) {
        case 'h':
        case 'H': out += n >= 2 ? "hh" : "h"; break;
        case 'm':
            out += isTime ? (n >= 2 ? "nn" : "n") : std::string(std::min<std::size_t>(n, 4), 'm');
            break;
        case 'M': out += std::string(std::min<std::size_t>(n, 4), 'm'); break;
        case 's': out += n >= 2 ? "ss" : "s"; break;
        case 't': out += "AMPM"; break;
        case 'd': out += std::string(std::min<std::size_t>(n, 4), 'd'); break;
        case 'y': out += n >= 3 ? "yyyy" : "yy"; break;
        case 'g': break; // era
        default: out += std::string(n, c); break;
        }
        i += n;
    }
    return out;
}

std::string WithoutSeconds(std::string_view f)
{
    std::string out(f);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i] != 's' && out[i] != 'S')
            continue;
        std::size_t b = i, e = i;
        while (e < out.size() && (out[e] == 's' || out[e] == 'S'))
            ++e;
        // Take the separator before the seconds along with them.
        if (b > 0 && out[b - 1] != ' ' && !(out[b - 1] >= 'a' && out[b - 1] <= 'z'))
            --b;
        out.erase(b, e - b);
        i = b;
        if (i > 0)
            --i;
    }
    return out;
}

FormatSettings SystemFormatSettings(const TIniFile *winIni)
{
    FormatSettings fs;
    FromLocale(fs);
    if (winIni)
        FromWinIni(fs, *winIni);
    return fs;
}

} // namespace orvane
