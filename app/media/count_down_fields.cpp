#include "app/media/count_down_fields.h"

#include "app/common/convert_error.h"

namespace orvane {
namespace {

std::string invalid(const std::string &text) { return "'" + text + "' is not a valid integer value"; }

} // namespace

std::optional<std::string> CountDownFields::setText(CountDownField f, const std::string &text)
{
    return change(f, text);
}

std::optional<std::string> CountDownFields::change(CountDownField f, std::string text)
{
    m_text[index(f)] = text;
    const std::optional<int> value = TryStrToInt(text);
    if (!value)
        return invalid(text);
    std::optional<std::string> error;
    if (f == CountDownField::Hour) {
        if (*value > 23)
            m_text[index(f)] = "00";
        else if (*value < 0)
            m_text[index(f)] = "23";
    } else {
        const CountDownField larger = f == CountDownField::Sec ? CountDownField::Min : CountDownField::Hour;
        if (*value > 59) {
            m_text[index(f)] = "00";
            error = add(larger, +1);
        } else if (*value < 0) {
            m_text[index(f)] = "59";
            error = add(larger, -1);
        }
    }
    if (m_focus != f)
        pad(f);
    return error;
}

std::optional<std::string> CountDownFields::add(CountDownField f, int delta)
{
    const std::optional<int> value = TryStrToInt(text(f));
    if (!value)
        return invalid(text(f));
    return change(f, std::to_string(*value + delta));
}

void CountDownFields::pad(CountDownField f)
{
    std::string &t = m_text[index(f)];
    if (t.size() == 1 && t[0] >= '0' && t[0] <= '9')
        t = "0" + t;
}

std::optional<std::string> CountDownFields::leave(CountDownField f)
{
    if (m_focus == f)
        m_focus.reset();
    pad(f);
    if (f == CountDownField::Hour)
        return change(f, text(f));
    return std::nullopt;
}

std::optional<std::string> CountDownFields::step(CountDownField f, int delta)
{
    std::optional<std::string> error = add(f, delta);
    pad(f);
    return error;
}

std::optional<std::string> CountDownFields::spin(int delta)
{
    if (!m_spinTarget)
        return std::nullopt;
    return step(*m_spinTarget, delta);
}

std::optional<int> CountDownFields::durationSeconds() const
{
    const auto h = TryStrToInt(text(CountDownField::Hour));
    const auto m = TryStrToInt(text(CountDownField::Min));
    const auto s = TryStrToInt(text(CountDownField::Sec));
    if (!h || !m || !s)
        return std::nullopt;
    return *h * 3600 + *m * 60 + *s;
}

} // namespace orvane
