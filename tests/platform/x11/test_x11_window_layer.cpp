#include "x11_fixture.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <unistd.h>

namespace orvane::testing_x11 {
namespace {

using WindowLayerX11 = X11Test;

TEST(WindowLayerFactory, NoDisplayGivesNoLayer) { EXPECT_EQ(openX11WindowLayer(":9999"), nullptr); }

TEST_F(WindowLayerX11, TitlesRoundTripInUtf8AndLatin1)
{
    const Window w = x.createWindow("Start");
    const std::string accented = "Caf\xC3\xA9 menu";           // fits Latin-1
    const std::string clock = "\xE2\x8F\xB0 Uhr \xE2\x82\xAC"; // does not
    ASSERT_TRUE(layer->setTitle(w, accented));
    EXPECT_EQ(layer->title(w), accented);
    EXPECT_EQ(x.netWmName(w), accented);
    Atom type = None;
    EXPECT_EQ(x.wmName(w, &type), "Caf\xE9 menu");
    EXPECT_EQ(type, XA_STRING);

    ASSERT_TRUE(layer->setTitle(w, clock));
    EXPECT_EQ(layer->title(w), clock);
    EXPECT_EQ(x.wmName(w, &type), clock);
    EXPECT_EQ(type, x.atom("UTF8_STRING"));
}

TEST_F(WindowLayerX11, OlderProgramsLatin1NameIsReadAsUtf8)
{
    const Window w = x.createWindow("");
    x.setWmNameOnly(w, "Gr\xFC\xDF"
                       "e");
    EXPECT_EQ(layer->title(w), "Gr\xC3\xBC\xC3\x9F"
                               "e");
}

TEST_F(WindowLayerX11, UntitledWindowHasAnEmptyTitle)
{
    const Window w = x.createWindow("");
    EXPECT_EQ(layer->title(w), "");
    EXPECT_TRUE(layer->exists(w));
}

TEST_F(WindowLayerX11, DestroyedWindowFailsEveryCallQuietly)
{
    const Window w = x.createWindow("Short-lived");
    x.destroyWindow(w);
    EXPECT_EQ(layer->title(w), std::nullopt);
    EXPECT_FALSE(layer->setTitle(w, "x"));
    EXPECT_FALSE(layer->exists(w));
    EXPECT_EQ(layer->parentOf(w), NoWindow);
    EXPECT_FALSE(layer->activate(w));
    EXPECT_FALSE(layer->isMinimized(w));
    EXPECT_FALSE(layer->showNormal(w));
    EXPECT_FALSE(layer->iconify(w));
    EXPECT_FALSE(layer->close(w));
    // The layer is still usable afterwards.
    const Window alive = x.createWindow("Alive");
    EXPECT_EQ(layer->title(alive), "Alive");
}

TEST_F(WindowLayerX11, ForegroundIsTheActiveWindowAWindowManagerNames)
{
    const Window a = x.createWindow("A");
    const Window b = x.createWindow("B");
    x.setActiveWindow(a);
    EXPECT_EQ(layer->foregroundWindow(), a);
    x.setActiveWindow(b);
    EXPECT_EQ(layer->foregroundWindow(), b);
    x.setActiveWindow(None);
    EXPECT_EQ(layer->foregroundWindow(), NoWindow);
}

TEST_F(WindowLayerX11, WithoutWindowManagerForegroundIsTheFocusedTopLevel)
{
    const Window top = x.createWindow("Focused");
    const Window inner = XCreateSimpleWindow(x.display(), top, 5, 5, 20, 20, 0, 0, 0);
    XMapWindow(x.display(), inner);
    XSetInputFocus(x.display(), inner, RevertToParent, CurrentTime);
    x.sync();
    EXPECT_EQ(layer->foregroundWindow(), top);
    XSetInputFocus(x.display(), PointerRoot, RevertToPointerRoot, CurrentTime);
    x.sync();
    EXPECT_EQ(layer->foregroundWindow(), NoWindow);
}

TEST_F(WindowLayerX11, ParentIsTheTransientForWindow)
{
    const Window main = x.createWindow("Main");
    const Window dialog = x.createWindow("Dialog");
    const Window group = x.createWindow("Group dialog");
    const Window leader = x.createWindow("", false);
    const Window ownerless = x.createWindow("Ownerless dialog");
    x.setTransientFor(dialog, main);
    x.setTransientFor(group, x.root());
    x.setTransientFor(ownerless, leader);
    EXPECT_EQ(layer->parentOf(dialog), main);
    EXPECT_EQ(layer->parentOf(main), NoWindow);
    EXPECT_EQ(layer->parentOf(group), NoWindow);
    EXPECT_EQ(layer->parentOf(ownerless), NoWindow);
}

TEST_F(WindowLayerX11, FindByTitleIsExactAndSearchesUnmappedWindows)
{
    const Window shown = x.createWindow("Orvane test target");
    const Window hidden = x.createWindow("Orvane hidden target", false);
    EXPECT_EQ(layer->findByTitle("Orvane test target"), shown);
    EXPECT_EQ(layer->findByTitle("Orvane hidden target"), hidden);
    EXPECT_EQ(layer->findByTitle("Orvane test"), NoWindow);
    EXPECT_EQ(layer->findByTitle("orvane test target"), NoWindow);
}

TEST_F(WindowLayerX11, FindByTitleUsesTheWindowManagersClientList)
{
    const Window listed = x.createWindow("Same title");
    const Window unlisted = x.createWindow("Only outside the list");
    x.createWindow("Same title");
    x.setClientList({listed});
    EXPECT_EQ(layer->findByTitle("Same title"), listed);
    EXPECT_EQ(layer->findByTitle("Only outside the list"), NoWindow);
    (void)unlisted;
}

TEST_F(WindowLayerX11, MinimizedIsTheIconicOrHiddenState)
{
    const Window iconic = x.createWindow("Iconic");
    const Window hidden = x.createWindow("Hidden");
    const Window normal = x.createWindow("Normal");
    const long state[2] = {IconicState, None};
    XChangeProperty(x.display(), iconic, x.atom("WM_STATE"), x.atom("WM_STATE"), 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(state), 2);
    x.setAtomList(hidden, "_NET_WM_STATE", {"_NET_WM_STATE_HIDDEN"});
    EXPECT_TRUE(layer->isMinimized(iconic));
    EXPECT_TRUE(layer->isMinimized(hidden));
    EXPECT_FALSE(layer->isMinimized(normal));
}

TEST_F(WindowLayerX11, WithoutWindowManagerActivateFocusesAndShowNormalMaps)
{
    const Window w = x.createWindow("Activate me", false);
    ASSERT_TRUE(layer->activate(w));
    Window focus = None;
    int revert = 0;
    XGetInputFocus(x.display(), &focus, &revert);
    EXPECT_EQ(focus, w);

    const Window unmapped = x.createWindow("Restore me", false);
    ASSERT_TRUE(layer->showNormal(unmapped));
    XWindowAttributes attributes{};
    XGetWindowAttributes(x.display(), unmapped, &attributes);
    EXPECT_EQ(attributes.map_state, IsViewable);
    // No manager, no minimized state to enter.
    EXPECT_FALSE(layer->iconify(w));
}

// A reparenting manager puts each client inside a frame of its own; the client is the window
// marked with WM_STATE, wherever the focus sits inside it.
TEST_F(WindowLayerX11, ClientInsideAFrameIsFoundAndFocusResolvesToIt)
{
    const Window frame = x.createWindow("");
    const Window client = XCreateSimpleWindow(x.display(), frame, 0, 20, 180, 70, 0, 0, 0);
    const Window inner = XCreateSimpleWindow(x.display(), client, 5, 5, 20, 20, 0, 0, 0);
    const long state[2] = {NormalState, None};
    XChangeProperty(x.display(), client, x.atom("WM_STATE"), x.atom("WM_STATE"), 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(state), 2);
    x.setTitles(client, "Framed client", "Framed client");
    XMapWindow(x.display(), client);
    XMapWindow(x.display(), inner);
    XSetInputFocus(x.display(), inner, RevertToParent, CurrentTime);
    x.sync();
    EXPECT_EQ(layer->foregroundWindow(), client);
    EXPECT_EQ(layer->findByTitle("Framed client"), client);
    XSetInputFocus(x.display(), PointerRoot, RevertToPointerRoot, CurrentTime);
    x.sync();
}

TEST_F(WindowLayerX11, FindByPidPassesOverHelperWindowsButTakesAMinimizedOne)
{
    using namespace std::chrono_literals;
    const Window w = x.createWindow("Minimized program", false);
    x.setCardinal(w, "_NET_WM_PID", XA_CARDINAL, getpid());
    EXPECT_EQ(layer->findByPid(getpid(), 50ms), NoWindow);
    const long state[2] = {IconicState, None};
    XChangeProperty(x.display(), w, x.atom("WM_STATE"), x.atom("WM_STATE"), 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(state), 2);
    x.sync();
    EXPECT_EQ(layer->findByPid(getpid(), 50ms), w);
}

TEST_F(WindowLayerX11, ManagerThatHasGoneIsNotAsked)
{
    // A crashed manager leaves its root properties behind; its check window is gone.
    const Window w = x.createWindow("Left behind");
    const Window check = x.createWindow("", false);
    x.setCardinal(x.root(), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, static_cast<long>(check));
    x.setAtomList(x.root(), "_NET_SUPPORTED", {"_NET_ACTIVE_WINDOW", "_NET_CLOSE_WINDOW"});
    x.destroyWindow(check);
    EXPECT_FALSE(layer->iconify(w));
    EXPECT_FALSE(layer->close(w)); // no manager to pass it on, no delete protocol of its own
    // Activating falls back to focusing the window directly.
    ASSERT_TRUE(layer->activate(w));
    Window focus = None;
    int revert = 0;
    XGetInputFocus(x.display(), &focus, &revert);
    EXPECT_EQ(focus, w);
    XSetInputFocus(x.display(), PointerRoot, RevertToPointerRoot, CurrentTime);
    x.sync();
}

TEST_F(WindowLayerX11, CloseWithoutProtocolSupportIsRefused)
{
    const Window w = x.createWindow("No delete protocol");
    EXPECT_FALSE(layer->close(w));
    EXPECT_TRUE(layer->exists(w));
}

} // namespace
} // namespace orvane::testing_x11
