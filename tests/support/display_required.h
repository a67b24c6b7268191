#pragma once
// What a test that needs an X display does without one. The test command (tools/test.sh) runs
// the suite under Xvfb and sets ORVANE_REQUIRE_DISPLAY=1: there a missing or unreachable display
// is a fault of the set-up, and the test fails. A developer's plain `ctest` without a display
// skips these tests instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace orvane::testing_support {

inline bool displayRequired()
{
    const char *value = std::getenv("ORVANE_REQUIRE_DISPLAY");
    return value && std::strcmp(value, "1") == 0;
}

} // namespace orvane::testing_support

// Ends the current test (which must return void) when `available` is false: a failure where a
// display is required, a skip elsewhere.
#define ORVANE_NEEDS_DISPLAY(available, why)                                                                 \
    do {                                                                                                     \
        if (!(available)) {                                                                                  \
            if (::orvane::testing_support::displayRequired())                                                \
                GTEST_FAIL() << "ORVANE_REQUIRE_DISPLAY=1, yet: " << (why);                                  \
            else                                                                                             \
                GTEST_SKIP() << (why);                                                                       \
        }                                                                                                    \
    } while (false)

// The same for a test that needs only $DISPLAY to be set.
#define ORVANE_SKIP_WITHOUT_DISPLAY(why) ORVANE_NEEDS_DISPLAY(std::getenv("DISPLAY"), why)
