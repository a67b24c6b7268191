#include "tests/support/display_required.h"
#include <gtest/gtest.h>

#include "kyloom32.h"
#include "tests/macroengine/support/test_key_string_window.h"
#include "x11/lock_keys.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <poll.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace orvane;
using namespace orvane::test;
using namespace std::chrono_literals;

namespace {

std::vector<std::pair<std::string, std::string>> g_reports;

void collectReport(const char *caption, const char *text) { g_reports.emplace_back(caption, text); }

class KeyStringX11 : public ::testing::Test {
protected:
    static inline Display *s_keepServer = nullptr;

    static void SetUpTestSuite()
    {
        XInitThreads();
        // A bare server resets itself (keyboard map and locks included) whenever its last
        // client leaves; one connection held for the whole suite keeps it as a desktop is.
        s_keepServer = XOpenDisplay(nullptr);
    }

    static void TearDownTestSuite()
    {
        if (s_keepServer)
            XCloseDisplay(s_keepServer);
        s_keepServer = nullptr;
    }

    void SetUp() override
    {
        ORVANE_SKIP_WITHOUT_DISPLAY("needs an X display");
        g_reports.clear();
        SetReportFunction(&collectReport);
    }

    void TearDown() override { SetReportFunction(nullptr); }

    // Types `keys` into a fresh window and compares what arrived; `expected` also tells how
    // many keys to wait for.
    void expectTyped(const char *keys, const std::u32string &expected, KyBool wait = 0)
    {
        KeyStringWindow window("key string receiver");
        SendKeys(keys, wait);
        EXPECT_EQ(window.typedText(keyCount(expected)), expected) << "key string: " << keys;
    }

    // Characters count one key each, a "⟨Name⟩" one key in all.
    static size_t keyCount(const std::u32string &text)
    {
        size_t count = 0;
        bool inName = false;
        for (char32_t c : text) {
            if (!inName)
                ++count;
            if (c == U'\u27E8')
                inName = true;
            else if (c == U'\u27E9')
                inName = false;
        }
        return count;
    }
};

KyKey heldOn(KyKey key)
{
    GetShiftStates(&key);
    return key;
}

// Whether the server's keyboard map has `keysym` on any key.
bool mapHas(KeySym keysym)
{
    Display *display = XOpenDisplay(nullptr);
    const bool has = XKeysymToKeycode(display, keysym) != 0;
    XCloseDisplay(display);
    return has;
}

} // namespace

TEST_F(KeyStringX11, PlainTextArrivesAsTyped)
{
    expectTyped("Hello, World! 123 ok?", U"Hello, World! 123 ok?");
    expectTyped("a-b=c[d]e;f'g\\h/i.j,k`l\"m|n<o>p_q:r*s&t$u@v#w",
                U"a-b=c[d]e;f'g\\h/i.j,k`l\"m|n<o>p_q:r*s&t$u@v#w");
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(KeyStringX11, ShiftPrefixReachesOneKeyOrAGroup)
{
    expectTyped("+abc", U"Abc");
    expectTyped("+(abc)d", U"ABCd");
    expectTyped("x+(a{LEFT})y", U"xA\u27E8Left\u27E9y");
}

// A doubled prefix holds its modifier for the next key only, and nothing stays down after it.
TEST_F(KeyStringX11, DoubledPrefixHoldsItsModifierForOneKey)
{
    expectTyped("++ab{ENTER}c", U"Ab\nc");
    expectTyped("+^+(xy)z", U"XYz");
    for (const char *keys : {"^^", "%%%", "a^", "^^a{ENTER}a{ENTER}"}) {
        KeyStringWindow window("key string receiver");
        SendKeys(keys, 0);
        window.waitForKeys(0, 200ms);
        EXPECT_EQ(heldOn(0x0041), 0x0041) << keys;
    }
}

TEST_F(KeyStringX11, NamedKeysBracesAndEnter)
{
    const std::u32string left = U"\u27E8Left\u27E9";
    expectTyped("{LEFT 5}", left + left + left + left + left);
    expectTyped("{{}{}}{ENTER}}", U"{}\n}");
    expectTyped("a~{~}{+}{%}{^}{(}{)}", U"a\n~+%^()");
    expectTyped("{bs}{Tab}{ESC}{home}{f5}", U"\b\t\x1b\u27E8Home\u27E9\u27E8F5\u27E9");
}

TEST_F(KeyStringX11, CharactersOutsideTheMapAreTypedAndTheMapIsRestored)
{
    ASSERT_FALSE(mapHas(XK_eacute));
    expectTyped("caf\xC3\xA9 \xE2\x82\xAC"
                "5 \xE4\xB8\xAD\xC3\xBC\xC3\xA9",
                U"caf\u00E9 \u20AC5 \u4E2D\u00FC\u00E9");
    EXPECT_FALSE(mapHas(XK_eacute));
    EXPECT_FALSE(mapHas(XK_udiaeresis));
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(KeyStringX11, MoreUnmappedCharactersThanSpareKeycodes)
{
    // Forty distinct letters outside the map, more than the spare keycodes of a usual map.
    std::string keys;
    std::u32string expected;
    for (char32_t c = 0x0410; c < 0x0438; ++c) {
        expected += c;
        keys += static_cast<char>(0xC0 | (c >> 6));
        keys += static_cast<char>(0x80 | (c & 0x3F));
    }
    expectTyped(keys.c_str(), expected);
}

TEST_F(KeyStringX11, LongTextWithUnmappedCharactersArrivesWhole)
{
    // Each accented letter first turns up deep into the text; a client must never see its key
    // before it has the keysym for it.
    const std::u32string words[] = {U"caf\u00E9 ", U"M\u00FCller ", U"Stra\u00DFe ", U"a\u00F1o ",
                                    U"5\u20AC ",   U"gar\u00E7on ", U"\u00F8l ",     U"\u00E5r ",
                                    U"plain ",     U"Text, "};
    std::u32string expected;
    for (int i = 0; expected.size() < 1200; ++i)
        expected += words[(i * 7 + i / 10) % std::size(words)];
    std::string keys;
    for (char32_t c : expected) {
        if (c < 0x80) {
            keys += static_cast<char>(c);
        } else if (c < 0x800) {
            keys += static_cast<char>(0xC0 | (c >> 6));
            keys += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            keys += static_cast<char>(0xE0 | (c >> 12));
            keys += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            keys += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    for (int round = 0; round < 3; ++round)
        expectTyped(keys.c_str(), expected);
}

TEST_F(KeyStringX11, WaitingAfterEachEventTypesTheSame) { expectTyped("+wait ok", U"Wait ok", 1); }

TEST_F(KeyStringX11, ProblemsAreReportedWithTheSendKeysCaption)
{
    expectTyped("{XYZ}q", U"q");
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0], std::make_pair(std::string("SendKeys"), std::string("Invalid Key Name")));

    g_reports.clear();
    expectTyped("a{LEFT x}b", U"a");
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0],
              std::make_pair(std::string("SendKeys"), std::string("An unknown error has occurred")));
}

TEST_F(KeyStringX11, UnclosedBraceLeavesNoModifierDown)
{
    for (const char *keys : {"+(ab{cd", "^%(x{cd", "+^%"}) {
        g_reports.clear();
        KeyStringWindow window("key string receiver");
        SendKeys(keys, 0);
        window.waitForKeys(0, 200ms);
        EXPECT_EQ(heldOn(0x0041), 0x0041) << keys;
    }
    EXPECT_EQ(g_reports.size(), 0u);
    KeyStringWindow window("key string receiver");
    SendKeys("+(ab{cd", 0);
    EXPECT_EQ(window.typedText(2), U"AB");
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0], std::make_pair(std::string("SendKeys"), std::string("No Close")));
    EXPECT_EQ(heldOn(0x0041), 0x0041);
}

TEST_F(KeyStringX11, ShiftStatesFollowTheKeysHeld)
{
    Display *display = XOpenDisplay(nullptr);
    const KeyCode control = XKeysymToKeycode(display, XK_Control_R);
    const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    XTestFakeKeyEvent(display, control, True, CurrentTime);
    XTestFakeKeyEvent(display, shift, True, CurrentTime);
    XSync(display, False);
    EXPECT_EQ(heldOn(0x0041), 0x0541);
    EXPECT_EQ(heldOn(0x0210), 0x0210);
    XTestFakeKeyEvent(display, shift, False, CurrentTime);
    XTestFakeKeyEvent(display, control, False, CurrentTime);
    XSync(display, False);
    XCloseDisplay(display);
    EXPECT_EQ(heldOn(0x0741), 0x0041);
}

// Text arrives as real key events (clients ignore events another client sends them), every
// character unchanged, the accented letter that the map lacks on a borrowed keycode.
TEST_F(KeyStringX11, SendTextTypesEveryCharacterUnchanged)
{
    KeyStringWindow window("key string receiver");
    SendText("Hi there, ok! \xC3\xA9x+{}");
    EXPECT_EQ(window.typedText(19), U"Hi there, ok! \u00e9x+{}");
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(KeyStringX11, AppActivateFocusesTheWindowWithThatExactTitle)
{
    KeyStringWindow first("Activate me");
    KeyStringWindow second("Something else");
    ASSERT_TRUE(focusIs(second.id()));
    EXPECT_EQ(AppActivate("Activate m"), 0);
    EXPECT_EQ(AppActivate("Activate me!"), 0);
    EXPECT_EQ(AppActivate("No window has this title"), 0);
    EXPECT_TRUE(focusIs(second.id()));
    EXPECT_EQ(AppActivate("Activate me"), 1);
    EXPECT_TRUE(focusIs(first.id()));
    EXPECT_TRUE(g_reports.empty());

    // Typing then goes to the window brought forward.
    SendKeys("ok", 0);
    EXPECT_EQ(first.typedText(2), U"ok");
}

namespace {

// Plays the window manager's part: takes over the root window's redirection, names a window as
// the one client it manages and says it serves _NET_ACTIVE_WINDOW.
class FakeWindowManager {
public:
    explicit FakeWindowManager(Window client) : m_display(XOpenDisplay(nullptr))
    {
        const Window root = DefaultRootWindow(m_display);
        m_check = XCreateSimpleWindow(m_display, root, 0, 0, 1, 1, 0, 0, 0);
        setWindowProperty("_NET_SUPPORTING_WM_CHECK", m_check);
        setWindowProperty("_NET_CLIENT_LIST", client);
        const Atom active = atom("_NET_ACTIVE_WINDOW");
        XChangeProperty(m_display, root, atom("_NET_SUPPORTED"), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(&active), 1);
        XSelectInput(m_display, root, SubstructureRedirectMask | SubstructureNotifyMask);
        XSync(m_display, False);
    }

    ~FakeWindowManager()
    {
        const Window root = DefaultRootWindow(m_display);
        for (const char *name : {"_NET_SUPPORTING_WM_CHECK", "_NET_CLIENT_LIST", "_NET_SUPPORTED"})
            XDeleteProperty(m_display, root, atom(name));
        XDestroyWindow(m_display, m_check);
        XCloseDisplay(m_display);
    }

    // The next _NET_ACTIVE_WINDOW request that reaches the root, if one comes within a second.
    std::optional<XClientMessageEvent> activationRequest()
    {
        pollfd descriptor{ConnectionNumber(m_display), POLLIN, 0};
        for (int waited = 0; waited < 1000; waited += 20) {
            while (XPending(m_display)) {
                XEvent event;
                XNextEvent(m_display, &event);
                if (event.type == ClientMessage && event.xclient.message_type == atom("_NET_ACTIVE_WINDOW"))
                    return event.xclient;
            }
            poll(&descriptor, 1, 20);
        }
        return std::nullopt;
    }

private:
    Atom atom(const char *name) { return XInternAtom(m_display, name, False); }

    void setWindowProperty(const char *name, Window value)
    {
        XChangeProperty(m_display, DefaultRootWindow(m_display), atom(name), XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(&value), 1);
    }

    Display *m_display;
    Window m_check = 0;
};

} // namespace

TEST_F(KeyStringX11, AppActivateAsksTheWindowManagerForTheClientItManages)
{
    KeyStringWindow managed("Managed target", false);
    // A window of the same title that the manager does not list, and on top of the other.
    KeyStringWindow unlisted("Managed target", false);
    FakeWindowManager manager(managed.id());

    EXPECT_EQ(AppActivate("Managed target"), 1);
    const auto request = manager.activationRequest();
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->window, managed.id());
    EXPECT_EQ(request->format, 32);
    EXPECT_EQ(request->data.l[0], 2);

    EXPECT_EQ(AppActivate("Unmanaged title"), 0);
    EXPECT_FALSE(manager.activationRequest().has_value());
}

TEST_F(KeyStringX11, LockKeysTurnOnAndOff)
{
    const uint8_t before = currentLockFlags();
    for (auto [get, set] : {std::pair{&GetCapsLock, &SetCapsLock}, std::pair{&GetNumLock, &SetNumLock},
                            std::pair{&GetScrollLock, &SetScrollLock}}) {
        set(1);
        EXPECT_EQ(get(), 1);
        set(0);
        EXPECT_EQ(get(), 0);
    }
    setLockFlags(kLockFlagCaps | kLockFlagScroll, kLockFlagCaps | kLockFlagNum | kLockFlagScroll);
    EXPECT_EQ(currentLockFlags(), kLockFlagCaps | kLockFlagScroll);
    setLockFlags(kLockFlagNum, kLockFlagNum);
    EXPECT_EQ(currentLockFlags(), kLockFlagCaps | kLockFlagNum | kLockFlagScroll);
    setLockFlags(before, kLockFlagCaps | kLockFlagNum | kLockFlagScroll);
    EXPECT_EQ(currentLockFlags(), before);
}
