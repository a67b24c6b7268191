#include "app/alarms/date_field.h"

namespace orvane {

int DateFieldAtCaret(std::string_view text, int caret, char separator)
{
    int field = 1;
    for (int i = 0; i < caret && i < static_cast<int>(text.size()); ++i)
        if (text[i] == separator && field < 3)
            ++field;
    return field;
}

TextSpan DateFieldSpan(std::string_view text, int field, char separator)
{
    const int size = static_cast<int>(text.size());
    int start = 0;
    for (int f = 1; f < field; ++f) {
        const auto sep = text.find(separator, start);
        if (sep == std::string_view::npos)
            return {size, 0};
        start = static_cast<int>(sep) + 1;
    }
    const auto end = field < 3 ? text.find(separator, start) : std::string_view::npos;
    const int stop = end == std::string_view::npos ? size : static_cast<int>(end);
    return {start, stop - start};
}

} // namespace orvane
