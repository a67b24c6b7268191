#include "x11/x_injection_lease.h"

#include "core/private_object.h"
#include "x11/xtest_held_state.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace orvane {

namespace {

// One entry of the record: the keycode and the keysym it was given, little-endian.
constexpr size_t kEntrySize = 5;
// A record larger than every keycode lent several times over is no record of ours.
constexpr off_t kLargestRecord = 256 * 16 * kEntrySize;

std::string displayPart(Display *display)
{
    std::string name = DisplayString(display);
    for (char &c : name)
        if (c == '/')
            c = '_';
    return name;
}

KeySym keysymAt(Display *display, KeyCode keycode)
{
    int perKeycode = 0;
    KeySym *symbols = XGetKeyboardMapping(display, keycode, 1, &perKeycode);
    if (!symbols)
        return NoSymbol;
    const KeySym first = perKeycode > 0 ? symbols[0] : NoSymbol;
    XFree(symbols);
    return first;
}

} // namespace

std::string XInjectionLease::recordName(Display *display)
{
    std::string why;
    return private_object::nameFor("Kyloom32Lent." + displayPart(display), why);
}

XInjectionLease::XInjectionLease(Display *display) : m_display(display)
{
    const std::string name = recordName(display);
    if (name.empty())
        return;
    const int fd = private_object::open(name, O_RDWR | O_CREAT, 0600);
    if (fd < 0)
        return;
    struct stat st {};
    std::string why;
    if (fstat(fd, &st) != 0 || !private_object::isPrivate(st, why) || st.st_size > kLargestRecord ||
        flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return;
    }
    m_fd = fd;
    restoreRecorded();
    releaseXTestHeld(m_display);
}

XInjectionLease::~XInjectionLease()
{
    if (m_fd >= 0)
        close(m_fd);
}

void XInjectionLease::restoreRecorded()
{
    std::vector<uint8_t> bytes(kLargestRecord);
    const ssize_t n = pread(m_fd, bytes.data(), bytes.size(), 0);
    if (n <= 0)
        return;
    bool changed = false;
    for (size_t at = 0; at + kEntrySize <= static_cast<size_t>(n); at += kEntrySize) {
        const auto keycode = static_cast<KeyCode>(bytes[at]);
        const KeySym keysym = bytes[at + 1] | bytes[at + 2] << 8 | bytes[at + 3] << 16 |
                              static_cast<KeySym>(bytes[at + 4]) << 24;
        // Someone else may have given the keycode a mapping of their own since.
        if (keycode < 8 || keysym == NoSymbol || keysymAt(m_display, keycode) != keysym)
            continue;
        KeySym none[2] = {NoSymbol, NoSymbol};
        XChangeKeyboardMapping(m_display, keycode, 2, none, 1);
        changed = true;
    }
    if (changed)
        XSync(m_display, False);
    noteRestored();
}

void XInjectionLease::noteLent(KeyCode keycode, KeySym keysym)
{
    if (m_fd < 0)
        return;
    const uint8_t entry[kEntrySize] = {keycode, static_cast<uint8_t>(keysym),
                                       static_cast<uint8_t>(keysym >> 8), static_cast<uint8_t>(keysym >> 16),
                                       static_cast<uint8_t>(keysym >> 24)};
    struct stat st {};
    if (fstat(m_fd, &st) != 0 || st.st_size + static_cast<off_t>(kEntrySize) > kLargestRecord)
        return;
    if (pwrite(m_fd, entry, sizeof entry, st.st_size) != static_cast<ssize_t>(sizeof entry)) {
        // A full disk loses only the repair after a kill; the typing goes on.
    }
}

void XInjectionLease::noteRestored()
{
    if (m_fd >= 0 && ftruncate(m_fd, 0) != 0) {
        // Left as it is, the record names keycodes whose keysyms are checked before any change.
    }
}

} // namespace orvane
