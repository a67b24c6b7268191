#include "app/clock/update_run_line.h"

#include "app/clock/autostart_entry.h"
#include "app/clock/run_line.h"
#include "app/common/ini_file.h"

namespace orvane {

std::optional<std::string> UpdateRunLine(TIniFile &winIni, bool autoRun, const std::string &execPath)
{
    const std::string line = RebuildRunLine(winIni.ReadString("windows", "run", ""), autoRun, execPath);
    try {
        winIni.WriteString("windows", "run", line);
    } catch (const EIniFileException &e) {
        return e.what();
    }
    return SyncAutostartEntry(RunLineHoldsPath(line, execPath), execPath);
}

} // namespace orvane
