#pragma once
// One window property as the server holds it, read in a single request and freed with it.
#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

class X11Property {
public:
    // Reads at most `maxBytes` of the property; nullopt when the window does not exist.
    // A property the window lacks reads as present() == false.
    static std::optional<X11Property> read(Display *display, Window window, Atom property,
                                           long maxBytes = 64 * 1024);

    bool present() const { return m_type != None; }
    Atom type() const { return m_type; }
    // The value of an 8-bit property as bytes; empty for other formats.
    std::string bytes() const;
    // The values of a 32-bit property (windows, atoms, cardinals); empty for other formats.
    std::vector<unsigned long> values() const;
    std::optional<unsigned long> firstValue() const;

private:
    struct XFreeDeleter {
        void operator()(unsigned char *p) const
        {
            if (p)
                XFree(p);
        }
    };

    Atom m_type = None;
    int m_format = 0;
    unsigned long m_count = 0;
    std::unique_ptr<unsigned char, XFreeDeleter> m_data;
};

} // namespace orvane
