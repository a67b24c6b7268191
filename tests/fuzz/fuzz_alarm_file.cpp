// Any bytes as alarms32.rec: the loader repairs or refuses, never crashes, and a save of what it
// loaded loads again without a fault.
#include "app/alarms/alarm_file.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string path = "/tmp/orvane-fuzz-alarms-" + std::to_string(::getpid()) + ".rec";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char *>(data), size);
    orvane::TAlarmTable table;
    orvane::TAlarmFile file(path);
    file.Load(table);
    if (file.Save(table))
        __builtin_trap();
    orvane::TAlarmTable again;
    if (!orvane::TAlarmFile(path).Load(again).faults.empty())
        __builtin_trap(); // a file we wrote must never read as damaged
    std::remove(file.backupPath().c_str());
    return 0;
}
