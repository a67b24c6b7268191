#include "app/platform/x11/x11_property.h"

#include "app/platform/x11/x11_error_trap.h"

namespace orvane {

std::optional<X11Property> X11Property::read(Display *display, Window window, Atom property, long maxBytes)
{
    if (window == None)
        return std::nullopt;
    X11ErrorTrap trap(display);
    X11Property result;
    unsigned long bytesAfter = 0;
    unsigned char *data = nullptr;
    const int status =
        XGetWindowProperty(display, window, property, 0, maxBytes / 4, False, AnyPropertyType, &result.m_type,
                           &result.m_format, &result.m_count, &bytesAfter, &data);
    result.m_data.reset(data);
    if (status != Success || trap.failed())
        return std::nullopt;
    return result;
}

std::string X11Property::bytes() const
{
    if (m_format != 8 || !m_data)
        return {};
    return std::string(reinterpret_cast<const char *>(m_data.get()), m_count);
}

std::vector<unsigned long> X11Property::values() const
{
    // Xlib hands 32-bit items over as longs, whatever the size of long.
    if (m_format != 32 || !m_data)
        return {};
    const auto *items = reinterpret_cast<const unsigned long *>(m_data.get());
    return std::vector<unsigned long>(items, items + m_count);
}

std::optional<unsigned long> X11Property::firstValue() const
{
    if (m_format != 32 || !m_data || m_count == 0)
        return std::nullopt;
    return *reinterpret_cast<const unsigned long *>(m_data.get());
}

} // namespace orvane
