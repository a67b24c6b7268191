#pragma once
// The test's own X connection, standing in for other programs and for a window manager: it
// creates, titles and destroys windows and writes the root properties a manager would keep.
// Every root property it sets is removed again when it goes.
#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace orvane::testing_x11 {

class TestDisplay {
public:
    // Opens `displayName`, or $DISPLAY when null.
    explicit TestDisplay(const char *displayName = nullptr);
    ~TestDisplay();
    TestDisplay(const TestDisplay &) = delete;
    TestDisplay &operator=(const TestDisplay &) = delete;

    bool ok() const { return m_display != nullptr; }
    Display *display() const { return m_display; }
    Window root() const { return m_root; }

    // A mapped top-level window; an empty title leaves both name properties unset.
    Window createWindow(const std::string &utf8Title, bool mapped = true);
    void destroyWindow(Window window);
    // Sets _NET_WM_NAME (UTF-8) and WM_NAME (as given, typed STRING) as the window's owner would.
    void setTitles(Window window, const std::string &utf8Title, const std::string &latin1Name);
    void setWmNameOnly(Window window, const std::string &latin1Name);
    std::string netWmName(Window window);
    std::string wmName(Window window, Atom *type = nullptr);
    void setTransientFor(Window dialog, Window parent);
    void setAtomList(Window window, const char *property, const std::vector<const char *> &atoms);
    void setCardinal(Window window, const char *property, Atom type, long value);

    // Window-manager side.
    void setActiveWindow(Window window);
    void setClientList(const std::vector<Window> &clients);
    Atom atom(const char *name);
    void sync() { XSync(m_display, False); }

private:
    std::string readString(Window window, Atom property, Atom *type);
    void noteRootProperty(const char *name);

    Display *m_display = nullptr;
    Window m_root = None;
    std::vector<Window> m_windows;
    std::vector<Atom> m_rootProperties;
};

} // namespace orvane::testing_x11
