#pragma once

#include <X11/Xlib.h>

#include <string>

namespace orvane {

// One injection's right to type or play on a display, with what an earlier one left behind
// put right first. A process killed outright (SIGKILL) cannot release its keys or give back
// the spare keycodes it lent to keysyms the map lacks; so while an injection runs it keeps a
// record of the keycodes it lent, in a file of the user's runtime folder named after the
// display, under a lock on that file. The next injection that takes the lock finds the record
// of a run that did not end cleanly, gives those keycodes their empty mapping back (only where
// they still carry the keysym we gave them) and releases what the XTest devices still hold.
//
// An injection that finds the lock taken (another one runs on the same display) leaves both
// the record and the XTest devices alone and keeps no record of its own.
class XInjectionLease {
public:
    explicit XInjectionLease(Display *display);
    ~XInjectionLease();
    XInjectionLease(const XInjectionLease &) = delete;
    XInjectionLease &operator=(const XInjectionLease &) = delete;

    // Notes a spare keycode lent to `keysym`, before the mapping is changed.
    void noteLent(KeyCode keycode, KeySym keysym);
    // Notes that every lent keycode has its empty mapping back.
    void noteRestored();

    bool holdsLock() const { return m_fd >= 0; }

    // The record's name for a display ("<runtime folder>/Kyloom32Lent.:0").
    static std::string recordName(Display *display);

private:
    void restoreRecorded();

    Display *m_display;
    int m_fd = -1;
};

} // namespace orvane
