#pragma once
// Title text between UTF-8 and the encodings X titles come in: _NET_WM_NAME is UTF-8; the older
// WM_NAME is Latin-1 (STRING), compound text, or UTF-8 where modern programs put it.
#include "app/platform/x11/x11_atoms.h"
#include "app/platform/x11/x11_property.h"

#include <string>

namespace orvane {

class X11TitleText {
public:
    // A WM_NAME value as UTF-8.
    static std::string decodeWmName(Display *display, const X11Atoms &atoms, const X11Property &name);
    // A UTF-8 title as a WM_NAME value: Latin-1 (STRING) when every character fits, else UTF-8.
    struct Encoded {
        Atom type;
        std::string bytes;
    };
    static Encoded encodeWmName(const X11Atoms &atoms, const std::string &utf8);

private:
    static std::string latin1ToUtf8(const std::string &latin1);
    static std::string compoundTextToUtf8(Display *display, const X11Property &name);
};

} // namespace orvane
