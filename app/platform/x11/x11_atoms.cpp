#include "app/platform/x11/x11_atoms.h"

#include <array>

namespace orvane {

X11Atoms::X11Atoms(Display *display)
{
    std::array<char *, 14> names = {
        const_cast<char *>("_NET_ACTIVE_WINDOW"),
        const_cast<char *>("_NET_CLIENT_LIST"),
        const_cast<char *>("_NET_CLOSE_WINDOW"),
        const_cast<char *>("_NET_SUPPORTED"),
        const_cast<char *>("_NET_SUPPORTING_WM_CHECK"),
        const_cast<char *>("_NET_WM_NAME"),
        const_cast<char *>("_NET_WM_PID"),
        const_cast<char *>("_NET_WM_STATE"),
        const_cast<char *>("_NET_WM_STATE_HIDDEN"),
        const_cast<char *>("UTF8_STRING"),
        const_cast<char *>("COMPOUND_TEXT"),
        const_cast<char *>("WM_STATE"),
        const_cast<char *>("WM_PROTOCOLS"),
        const_cast<char *>("WM_DELETE_WINDOW"),
    };
    std::array<Atom, 14> atoms{};
    XInternAtoms(display, names.data(), static_cast<int>(names.size()), False, atoms.data());
    netActiveWindow = atoms[0];
    netClientList = atoms[1];
    netCloseWindow = atoms[2];
    netSupported = atoms[3];
    netSupportingWmCheck = atoms[4];
    netWmName = atoms[5];
    netWmPid = atoms[6];
    netWmState = atoms[7];
    netWmStateHidden = atoms[8];
    utf8String = atoms[9];
    compoundText = atoms[10];
    wmState = atoms[11];
    wmProtocols = atoms[12];
    wmDeleteWindow = atoms[13];
}

} // namespace orvane
