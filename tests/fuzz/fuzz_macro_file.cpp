// Any bytes as a macro file, read through the library's public interface: it is listed entry by
// entry or refused, and it loads or is refused with a message, never crashes. Without
// InstallHook (which needs an X display) ReadMacros finds no table and reads nothing, so the
// listing is what walks the file's header and entries here.
#include "kyloom32.h"

#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string path = "/tmp/orvane-fuzz-" + std::to_string(::getpid()) + ".mac";
    static const bool quiet = [] {
        SetReportFunction([](const char *, const char *) {});
        return true;
    }();
    (void)quiet;
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char *>(data), size);
    ListMacroFile(
        path.c_str(),
        [](const KyMacroFileEntry *entry, void *) {
            // Every listed entry's name must be a readable, terminated string.
            volatile size_t length = entry->name ? std::strlen(entry->name) : 0;
            (void)length;
        },
        nullptr);
    ReadMacros(path.c_str(), 0);
    ReadMacros(path.c_str(), 1);
    return 0;
}
