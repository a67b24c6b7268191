#pragma once
// The three fields of a date edit's text ("2/18/1997": 1, 2, 3), split by the date separator.
#include "app/alarms/time_field.h"

#include <string_view>

namespace orvane {

// 1, 2 or 3: the field holding the caret.
int DateFieldAtCaret(std::string_view text, int caret, char separator);

// Where field 1, 2 or 3 lies in the text. A field the text lacks is an empty span at the end.
TextSpan DateFieldSpan(std::string_view text, int field, char separator);

} // namespace orvane
