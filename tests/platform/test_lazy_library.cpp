#include "app/platform/lazy_library.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace orvane;

namespace {

struct StringApi {
    decltype(&::strlen) length;
    decltype(&::strcmp) compare;
};

struct Case {
    const char *name;
    const char *soname;
    const char *second;    // the second function looked up
    const char *errorPart; // empty: loads
};

void lookUpStrings(LazyLibrary &library, StringApi &api, const char *second)
{
    library.find("strlen", api.length);
    library.find(second, api.compare);
}

} // namespace

// A library is usable only whole: a missing library or a missing function leaves no half-filled
// set of functions behind, and the reason names what is missing.
TEST(LazyLibrary, LoadsWholeOrSaysWhatIsMissing)
{
    for (const Case c :
         {Case{"present", "libc.so.6", "strcmp", ""},
          Case{"no such library", "libno-such-library.so.9", "strcmp", "libno-such-library.so.9"},
          Case{"no such function", "libc.so.6", "orvane_no_such_function",
               "libc.so.6 has no orvane_no_such_function"}}) {
        LazyLibrary library(c.soname);
        StringApi api{};
        lookUpStrings(library, api, c.second);
        if (*c.errorPart == '\0') {
            ASSERT_TRUE(library.loaded()) << c.name << ": " << library.error();
            EXPECT_EQ(api.length("clock"), 5u) << c.name;
            EXPECT_EQ(api.compare("a", "a"), 0) << c.name;
        } else {
            EXPECT_FALSE(library.loaded()) << c.name;
            EXPECT_NE(library.error().find(c.errorPart), std::string::npos)
                << c.name << ": " << library.error();
        }
    }
}

namespace {

int g_lookUps = 0;

void countingLookUp(LazyLibrary &library, StringApi &api)
{
    ++g_lookUps;
    library.find("strlen", api.length);
    library.find("strcmp", api.compare);
}

struct MissingApi {
    decltype(&::strlen) length;
};

void missingLookUp(LazyLibrary &library, MissingApi &api) { library.find("orvane_missing", api.length); }

} // namespace

// The library is looked up once for the whole run, and until then nothing counts as loaded, so
// that clean-ups never load it for nothing.
TEST(LazyApi, LooksUpOnceAndAnswersTheSameEveryTime)
{
    EXPECT_EQ(LazyApi<StringApi>::ifLoaded(), nullptr);
    std::string error;
    const StringApi *first = LazyApi<StringApi>::load("libc.so.6", &countingLookUp, error);
    const StringApi *second = LazyApi<StringApi>::load("libc.so.6", &countingLookUp, error);
    ASSERT_NE(first, nullptr) << error;
    EXPECT_EQ(first, second);
    EXPECT_EQ(LazyApi<StringApi>::ifLoaded(), first);
    EXPECT_EQ(g_lookUps, 1);

    std::string why;
    EXPECT_EQ(LazyApi<MissingApi>::load("libc.so.6", &missingLookUp, why), nullptr);
    EXPECT_NE(why.find("orvane_missing"), std::string::npos) << why;
    why.clear();
    EXPECT_EQ(LazyApi<MissingApi>::load("libc.so.6", &missingLookUp, why), nullptr);
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(LazyApi<MissingApi>::ifLoaded(), nullptr);
}
