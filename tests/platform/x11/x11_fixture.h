#pragma once
// A test with a window layer on the display under test and a second connection that plays the
// other programs (and, where a test asks, the window manager).
// GoogleTest comes before Xlib, whose None macro would otherwise rewrite GoogleTest's own None.
#include "tests/support/display_required.h"
#include <gtest/gtest.h>

#include "app/platform/window_layer.h"
#include "app/platform/x11/x11_window_layer.h"
#include "tests/support/test_display.h"

#include <cstdlib>
#include <memory>

namespace orvane::testing_x11 {

class X11Test : public testing::Test {
protected:
    void SetUp() override
    {
        ORVANE_SKIP_WITHOUT_DISPLAY("no X display");
        ASSERT_TRUE(x.ok()) << "cannot open the display " << std::getenv("DISPLAY");
        layer = openX11WindowLayer();
        ASSERT_NE(layer, nullptr);
    }

    // Makes sure the layer has taken in every change the test's own connection has made.
    void settle() { x11Layer().roundTrip(); }
    X11WindowLayer &x11Layer() { return dynamic_cast<X11WindowLayer &>(*layer); }

    TestDisplay x;
    std::unique_ptr<WindowLayer> layer;
};

} // namespace orvane::testing_x11
