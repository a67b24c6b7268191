// Any bytes as murvelin.ini: reads give a value or the default, an update of a few keys reads
// back as written, and the lines it did not touch stay.
#include "app/common/ini_file.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string path = "/tmp/orvane-fuzz-" + std::to_string(::getpid()) + ".ini";
    const std::string text(reinterpret_cast<const char *>(data), size);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    orvane::TIniFile ini(path);
    ini.ReadString("Voice", "WaveFile", "");
    ini.ReadInteger("Voice", "HowOften", 5);
    ini.ReadBool("Options", "Auto Start", false);
    // Section and key names taken from the input itself.
    const std::string section =
        text.substr(0, text.find('\n') == std::string::npos ? 0 : std::min<size_t>(text.find('\n'), 20));
    ini.BeginUpdate();
    ini.WriteString("Voice", "WaveFile", text.substr(0, 40));
    ini.WriteInteger(section, "K", 42);
    ini.EndUpdate();
    // A name with brackets, blanks at its ends or line breaks cannot be a section name in this
    // format at all; every other name must read back what was written.
    const bool plainName = !section.empty() && std::all_of(section.begin(), section.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    });
    if (plainName && ini.ReadInteger(section, "K", 0) != 42)
        __builtin_trap();
    return 0;
}
