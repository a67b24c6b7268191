#include "app/platform/x11/x11_title_text.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace orvane {

std::string X11TitleText::decodeWmName(Display *display, const X11Atoms &atoms, const X11Property &name)
{
    if (name.type() == XA_STRING)
        return latin1ToUtf8(name.bytes());
    if (name.type() == atoms.compoundText)
        return compoundTextToUtf8(display, name);
    return name.bytes();
}

X11TitleText::Encoded X11TitleText::encodeWmName(const X11Atoms &atoms, const std::string &utf8)
{
    std::string latin1;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            latin1 += static_cast<char>(c);
            continue;
        }
        // Two-byte sequences starting C2 or C3 are exactly U+0080..U+00FF.
        const bool latin1Pair = (c == 0xC2 || c == 0xC3) && i + 1 < utf8.size() &&
                                (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80;
        if (!latin1Pair)
            return {atoms.utf8String, utf8};
        latin1 += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F));
        ++i;
    }
    return {XA_STRING, latin1};
}

std::string X11TitleText::latin1ToUtf8(const std::string &latin1)
{
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            utf8 += ch;
        } else {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

std::string X11TitleText::compoundTextToUtf8(Display *display, const X11Property &name)
{
    std::string raw = name.bytes();
    XTextProperty text{};
    text.value = reinterpret_cast<unsigned char *>(raw.data());
    text.encoding = name.type();
    text.format = 8;
    text.nitems = raw.size();
    char **list = nullptr;
    int count = 0;
    std::string result;
    if (Xutf8TextPropertyToTextList(display, &text, &list, &count) >= Success && list) {
        for (int i = 0; i < count; ++i)
            result += list[i];
        XFreeStringList(list);
        return result;
    }
    // Without a converter keep what is plain ASCII rather than show escape sequences.
    for (const char ch : raw)
        if (static_cast<unsigned char>(ch) >= 0x20 && static_cast<unsigned char>(ch) < 0x7F)
            result += ch;
    return result;
}

} // namespace orvane
