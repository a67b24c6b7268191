#include "app/alarms/save_check.h"

#include "app/alarms/alarm_table.h"

namespace orvane {

std::optional<SaveRefusal> CheckBeforeSave(ActionType page, const std::string &pageText)
{
    if (!pageText.empty())
        return std::nullopt;
    switch (page) {
    case atProgram:
        return SaveRefusal{"You must 1st enter a program name before saving.", SaveFocus::AlarmText};
    case atWaveFile:
        return SaveRefusal{"Please enter a valid wave file or use the 'Browse / Record' button to select or "
                           "record a wave file.",
                           SaveFocus::Edit1};
    case atCDPlayer: return SaveRefusal{"You must enter a 'Mode'.", SaveFocus::ComboBox1};
    case atCommand:
        return SaveRefusal{"You must enter at least 1 command to save this Command Alarm.",
                           SaveFocus::ComboBox2};
    case atLauncher:
        return SaveRefusal{"You must select a Page from Quaydeck in order to save an Quaydeck Alarm.",
                           SaveFocus::ComboBox6};
    case atMessage: break;
    }
    return std::nullopt;
}

std::string TableFullMessage()
{
    return "Alarm could not be saved.  You only can have up to ." + std::to_string(TAlarmTable::kSlots) +
           " alarms at a time.  Delete some alarms to make room for more.";
}

} // namespace orvane
