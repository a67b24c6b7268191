#include "app/clock/title_decorator.h"

#include <gtest/gtest.h>

#include <ostream>

namespace orvane {
namespace {

struct PrefixCase {
    const char *name;
    std::string text;
    std::size_t count;
    std::string expected;
};

// The case's name stands for it in the test output.
void PrintTo(const PrefixCase &c, std::ostream *os) { *os << c.name; }

class Utf8PrefixTest : public testing::TestWithParam<PrefixCase> {};

TEST_P(Utf8PrefixTest, CutsWholeCharacters)
{
    const auto &c = GetParam();
    EXPECT_EQ(utf8Prefix(c.text, c.count), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8PrefixTest,
    testing::Values(PrefixCase{"AsciiCut", "Editor", 3, "Edi"},
                    PrefixCase{"ShorterThanCount", "Edit", 99, "Edit"},
                    PrefixCase{"ZeroKeepsNothing", "Edit", 0, ""},
                    PrefixCase{"TwoByteCountsOnce", "\xC3\xA9t\xC3\xA9", 2, "\xC3\xA9t"},
                    PrefixCase{"ThreeByteNotSplit",
                               "a\xE2\x82\xAC"
                               "b",
                               2, "a\xE2\x82\xAC"},
                    PrefixCase{"FourByteNotSplit", "\xF0\x9F\x95\x90x", 1, "\xF0\x9F\x95\x90"},
                    PrefixCase{"StrayByteIsOneCharacter", "\xFFz", 1, "\xFF"},
                    PrefixCase{"TruncatedSequenceBytesCountSingly", "\xE2\x82", 1, "\xE2"},
                    PrefixCase{"OverlongLeadIsOneCharacter", "\xC0\xAFx", 2, "\xC0\xAF"}),
    [](const testing::TestParamInfo<PrefixCase> &info) { return info.param.name; });

} // namespace
} // namespace orvane
