#pragma once
// What the set-up dialog checks before it saves an alarm of each type, with its messages.
#include "app/alarms/alarm_record.h"

#include <optional>
#include <string>

namespace orvane {

// The control that gets the focus after a refused save.
enum class SaveFocus { AlarmText, Edit1, ComboBox1, ComboBox2, ComboBox6 };

struct SaveRefusal {
    std::string message;
    SaveFocus focus;
};

// `pageText` is what the page's control holds: the program line, the wave file, the chosen CD
// mode or launcher page (empty without a choice), or the built command text. A Message alarm
// is always accepted.
std::optional<SaveRefusal> CheckBeforeSave(ActionType page, const std::string &pageText);

// The message shown when every slot is taken.
std::string TableFullMessage();

} // namespace orvane
