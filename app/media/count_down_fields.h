#pragma once
// The three duration fields of a count-down (hours, minutes, seconds) and their rules: values
// that leave their range wrap and carry into the next larger field (hours wrap without a
// carry), fields without the focus show two digits, and the arrow keys and the spin button
// step the fields one unit at a time.
#include <array>
#include <optional>
#include <string>

namespace orvane {

enum class CountDownField { Hour = 0, Min = 1, Sec = 2 };

class CountDownFields {
public:
    // The text a field holds; "00" each at first.
    const std::string &text(CountDownField f) const { return m_text[index(f)]; }

    // A field's text changed (typed or set). Applies the range rule, with carries into the
    // larger fields. A text that is not a whole number stays as it is and its error text,
    // "'<text>' is not a valid integer value", comes back.
    std::optional<std::string> setText(CountDownField f, const std::string &text);
    // The field got the focus; the spin button acts on it from now on.
    void enter(CountDownField f)
    {
        m_focus = f;
        m_spinTarget = f;
    }
    // The field lost the focus: two digits, and for the hours their range.
    std::optional<std::string> leave(CountDownField f);
    // Up (+1) or Down (-1) arrow in field `f`: step with wrap and carry, then two digits.
    std::optional<std::string> step(CountDownField f, int delta);
    // The spin button: the same step on the field that last had the focus; nothing before one
    // has had it.
    std::optional<std::string> spin(int delta);

    // The set duration in seconds, or none while a field is not a whole number.
    std::optional<int> durationSeconds() const;
    std::optional<CountDownField> spinTarget() const { return m_spinTarget; }

private:
    static std::size_t index(CountDownField f) { return static_cast<std::size_t>(f); }
    std::optional<std::string> change(CountDownField f, std::string text);
    std::optional<std::string> add(CountDownField f, int delta);
    void pad(CountDownField f);

    std::array<std::string, 3> m_text{"00", "00", "00"};
    std::optional<CountDownField> m_focus;
    std::optional<CountDownField> m_spinTarget;
};

} // namespace orvane
