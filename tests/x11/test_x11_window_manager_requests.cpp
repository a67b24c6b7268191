// With a window manager present, activating, minimizing and closing are requests to it: the
// test connection takes the manager's place and checks what arrives at the root.
#include "x11_fixture.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace orvane::testing_x11 {
namespace {

class WindowManagerRequests : public X11Test {
protected:
    void SetUp() override
    {
        X11Test::SetUp();
        if (IsSkipped())
            return;
        target = x.createWindow("Managed");
        x.actAsWindowManager({"_NET_ACTIVE_WINDOW", "_NET_CLOSE_WINDOW", "_NET_SUPPORTED"});
    }

    Window target = None;
};

TEST_F(WindowManagerRequests, ActivateAsksTheManagerOnTheUsersBehalf)
{
    ASSERT_TRUE(layer->activate(target));
    const XClientMessageEvent message = x.nextRootMessage();
    EXPECT_EQ(message.message_type, x.atom("_NET_ACTIVE_WINDOW"));
    EXPECT_EQ(message.window, target);
    EXPECT_EQ(message.data.l[0], 2);
}

TEST_F(WindowManagerRequests, CloseAsksTheManager)
{
    ASSERT_TRUE(layer->close(target));
    const XClientMessageEvent message = x.nextRootMessage();
    EXPECT_EQ(message.message_type, x.atom("_NET_CLOSE_WINDOW"));
    EXPECT_EQ(message.window, target);
}

TEST_F(WindowManagerRequests, IconifyAsksTheManagerToChangeTheState)
{
    ASSERT_TRUE(layer->iconify(target));
    const XClientMessageEvent message = x.nextRootMessage();
    EXPECT_EQ(message.message_type, x.atom("WM_CHANGE_STATE"));
    EXPECT_EQ(message.window, target);
    EXPECT_EQ(message.data.l[0], IconicState);
}

TEST_F(WindowManagerRequests, ManagerThatHasGoneIsNotAskedAnyMore)
{
    // A crashed manager leaves its root properties behind; its check window is gone.
    XDeleteProperty(x.display(), x.root(), x.atom("_NET_SUPPORTING_WM_CHECK"));
    const Window stale = x.createWindow("");
    XChangeProperty(x.display(), x.root(), x.atom("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&stale), 1);
    x.destroyWindow(stale);
    EXPECT_FALSE(layer->iconify(target));
    EXPECT_EQ(x.nextRootMessage().message_type, static_cast<Atom>(None));
}

} // namespace
} // namespace orvane::testing_x11
