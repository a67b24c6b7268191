// Any [intl] section of Win.ini: the pictures are converted into the program's format language,
// and formatting and parsing dates and times with them never crash.
#include "app/common/date_format.h"
#include "app/common/ini_file.h"
#include "app/common/system_formats.h"

#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string path = "/tmp/orvane-fuzz-win-" + std::to_string(::getpid()) + ".ini";
    const std::string text(reinterpret_cast<const char *>(data), size);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "[intl]\n" << text;
    orvane::TIniFile winIni(path);
    const orvane::FormatSettings fs = orvane::SystemFormatSettings(&winIni);
    const orvane::TDateTime dt = 46364.5123; // a December afternoon
    for (const char *format : {"c", "t", "tt", "ddddd", "dddddd", "hh:nn AMPM"})
        orvane::FormatDateTime(format, dt, fs);
    orvane::FormatDateTime(text.substr(0, 64), dt, fs);
    orvane::FormatFromWindowsPicture(text.substr(0, 64), false);
    orvane::FormatFromWindowsPicture(text.substr(0, 64), true);
    orvane::TryStrToDateTime(text.substr(0, 64), fs, 2026);
    return 0;
}
