// Any bytes as a macro file, read through the library's public interface: it loads or is
// refused with a message, never crashes.
#include "kyloom32.h"

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
    ReadMacros(path.c_str(), 0);
    ReadMacros(path.c_str(), 1);
    return 0;
}
