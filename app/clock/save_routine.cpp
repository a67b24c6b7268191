#include "app/clock/save_routine.h"

#include "app/clock/settings_file.h"

namespace orvane {

std::vector<std::string> RunSaveRoutine(TIniFile &ini, const TProgramSettings &s,
                                        const AlarmFileSaver &saveAlarms)
{
    std::vector<std::string> errors;
    if (auto e = SaveSettings(ini, s))
        errors.push_back(*e);
    if (saveAlarms) {
        if (auto e = saveAlarms())
            errors.push_back(*e);
    }
    return errors;
}

} // namespace orvane
