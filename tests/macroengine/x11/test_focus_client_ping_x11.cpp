// Typing characters outside the keyboard map waits for the focused client to read them: a client
// that answers pings is waited for however late it reads, within the limit.
#include <gtest/gtest.h>

#include "keys/vk_keysym_unicode.h"
#include "kyloom32.h"
#include "x11/focus_client_ping.h"

#include <X11/Xutil.h>

#include <poll.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

using namespace orvane;
using namespace std::chrono_literals;

namespace {

enum class Pings { Answered, Ignored, NotDeclared };

// A focused window whose client reads its events in batches, `pause` apart, as a busy program
// does, and answers pings in the order they come (or declares the protocol and never answers).
class BusyClientWindow {
public:
    BusyClientWindow(Pings pings, std::chrono::milliseconds pause)
        : m_display(XOpenDisplay(nullptr)), m_pings(pings), m_pause(pause)
    {
        m_window =
            XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 200, 100, 0, 0, 0xFFFFFF);
        XSelectInput(m_display, m_window, KeyPressMask | StructureNotifyMask);
        Atom ping = XInternAtom(m_display, "_NET_WM_PING", False);
        if (pings != Pings::NotDeclared)
            XSetWMProtocols(m_display, m_window, &ping, 1);
        XMapWindow(m_display, m_window);
        XEvent event;
        do
            XWindowEvent(m_display, m_window, StructureNotifyMask, &event);
        while (event.type != MapNotify);
        XSetInputFocus(m_display, m_window, RevertToParent, CurrentTime);
        XSync(m_display, False);
        m_reader = std::thread([this] { read(); });
    }

    ~BusyClientWindow()
    {
        m_stop = true;
        m_reader.join();
        XCloseDisplay(m_display);
    }

    std::u32string typed(size_t count)
    {
        const auto limit = std::chrono::steady_clock::now() + 5s;
        while (std::chrono::steady_clock::now() < limit) {
            {
                std::lock_guard lock(m_mutex);
                if (m_typed.size() >= count)
                    return m_typed;
            }
            std::this_thread::sleep_for(10ms);
        }
        std::lock_guard lock(m_mutex);
        return m_typed;
    }

private:
    void read()
    {
        while (!m_stop) {
            std::this_thread::sleep_for(m_pause);
            while (XPending(m_display)) {
                XEvent event;
                XNextEvent(m_display, &event);
                handle(event);
            }
        }
    }

    void handle(XEvent &event)
    {
        if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
        } else if (event.type == KeyPress) {
            char bytes[16];
            KeySym keysym = NoSymbol;
            XLookupString(&event.xkey, bytes, sizeof bytes, &keysym, nullptr);
            if (IsModifierKey(keysym))
                return;
            const char32_t c = codePointForKeysym(static_cast<uint32_t>(keysym));
            std::lock_guard lock(m_mutex);
            m_typed += c ? c : U'?';
        } else if (event.type == ClientMessage && m_pings == Pings::Answered) {
            const Window root = DefaultRootWindow(m_display);
            event.xclient.window = root;
            XSendEvent(m_display, root, False, SubstructureNotifyMask | SubstructureRedirectMask, &event);
            XFlush(m_display);
        }
    }

    Display *m_display;
    Pings m_pings;
    std::chrono::milliseconds m_pause;
    Window m_window = None;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::u32string m_typed;
    std::thread m_reader;
};

class FocusClientPingX11 : public ::testing::Test {
protected:
    // Held for the whole suite: a bare server resets itself, refusing connections for a moment,
    // whenever its last client leaves.
    static void SetUpTestSuite()
    {
        XInitThreads();
        s_display = std::getenv("DISPLAY") ? XOpenDisplay(nullptr) : nullptr;
    }
    static void TearDownTestSuite()
    {
        if (s_display)
            XCloseDisplay(s_display);
        s_display = nullptr;
    }
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X display";
        ASSERT_NE(s_display, nullptr);
        m_display = s_display;
    }

    static inline Display *s_display = nullptr;
    Display *m_display = nullptr;
};

} // namespace

TEST_F(FocusClientPingX11, TellsWhetherTheFocusedClientAnswers)
{
    const struct {
        Pings pings;
        PingResult expected;
    } cases[] = {
        {Pings::Answered, PingResult::Answered},
        {Pings::Ignored, PingResult::TimedOut},
        {Pings::NotDeclared, PingResult::NotSupported},
    };
    for (const auto &c : cases) {
        BusyClientWindow window(c.pings, 5ms);
        EXPECT_EQ(pingFocusClient(m_display, 300ms), c.expected) << static_cast<int>(c.pings);
    }
}

TEST_F(FocusClientPingX11, ABusyClientThatAnswersPingsGetsEveryBorrowedCharacter)
{
    // The client reads its keys only every 400 ms, long after the blind grace a client that
    // does not answer pings is given; the keyboard map must still hold the borrowed keysyms
    // when it does.
    BusyClientWindow window(Pings::Answered, 400ms);
    SendKeys("caf\xC3\xA9 \xC3\xBC\xC3\xB1 \xE2\x82\xAC"
             "5",
             0);
    EXPECT_EQ(window.typed(10), U"caf\u00E9 \u00FC\u00F1 \u20AC5");
}
