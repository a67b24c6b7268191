#include "tests/macroengine/key_strings/us_layout.h"

#include "key_strings/key_string_names.h"
#include "key_strings/key_string_parser.h"
#include "key_strings/key_string_utf8.h"
#include "keys/key_names.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

using namespace orvane;

namespace {

std::string parsed(std::string_view keys)
{
    const UsLayout layout;
    return render(KeyStringParser(layout).parse(keys));
}

struct Case {
    const char *keys;
    const char *actions;
};

void expectAll(std::initializer_list<Case> cases)
{
    for (const Case &c : cases)
        EXPECT_EQ(parsed(c.keys), c.actions) << "key string: " << c.keys;
}

} // namespace

TEST(KeyStringParser, PlainCharactersTypeWithTheirOwnModifiers)
{
    expectAll({
        {"abc", "a b c"},
        {"aB1", "a <Shift B >Shift 1"},
        {"a b", "a   b"},
        {"", ""},
    });
}

TEST(KeyStringParser, PrefixModifiersHoldForTheNextKeyOnly)
{
    expectAll({
        {"+abc", "<Shift a >Shift b c"},
        {"^c", "<Ctrl c >Ctrl"},
        {"%{F4}", "<Alt [F4] >Alt"},
        {"^+{END}x", "<Ctrl <Shift [End] >Shift >Ctrl x"},
        // Shift needed by the character itself comes up at once, the prefix's Shift after it.
        {"+A", "<Shift <Shift A >Shift >Shift"},
    });
}

TEST(KeyStringParser, GroupsKeepModifiersDownUntilTheGroupEnds)
{
    expectAll({
        {"+(abc)", "<Shift a b c >Shift"},
        {"^+(ab)c", "<Ctrl <Shift a b >Shift >Ctrl c"},
        {"(ab)", "a b"},
        {"+(a{LEFT 2})b", "<Shift a [Left*2] >Shift b"},
    });
}

TEST(KeyStringParser, NamedKeysWithRepeatCountsInAnyLetterCase)
{
    expectAll({
        {"{LEFT 5}", "[Left*5]"},
        {"{left 5}", "[Left*5]"},
        {"{Enter}", "[Enter]"},
        {"{TAB 0}", ""},
        {"{TAB -2}", ""},
        {"{TAB +2}", "[Tab*2]"},
        {"{F16}", "[F16]"},
    });
}

TEST(KeyStringParser, EnterAndTheLanguagesOwnCharacters)
{
    expectAll({
        {"~", "[Enter]"},
        {"{~}", "<Shift ~ >Shift"},
        {"{+}", "<Shift + >Shift"},
        {"{%}{^}", "<Shift % >Shift <Shift ^ >Shift"},
        {"{(}{)}", "<Shift ( >Shift <Shift ) >Shift"},
        {"+~", "<Shift [Enter] >Shift"},
        // The braced text is upper-cased first.
        {"{a}", "<Shift A >Shift"},
        {"{x 3}", "<Shift X*3 >Shift"},
    });
}

TEST(KeyStringParser, BracesAreTypedFromTheirEscapes)
{
    expectAll({
        {"{{}", "<Shift { >Shift"},
        {"{}}", "<Shift } >Shift"},
        {"{ENTER}}", "[Enter] <Shift } >Shift"},
        {"a{{}b{}}c", "a <Shift { >Shift b <Shift } >Shift c"},
        // "{{" takes the character after it with it, whatever it is.
        {"{{xy", "<Shift { >Shift y"},
        {"{{", "<Shift { >Shift"},
        {"+{{}a", "<Shift <Shift { >Shift >Shift a"},
    });
}

TEST(KeyStringParser, UnknownNamesAreReportedAndSkipped)
{
    expectAll({
        {"{XYZ}a", "!Invalid Key Name a"},
        {"{}", "!Invalid Key Name"},
        {"x{NOSUCHKEY 3}y", "x !Invalid Key Name y"},
        // Only the first 20 characters of the braced text count.
        {"{ABCDEFGHIJKLMNOPQRSTUVWXYZ}", "!Invalid Key Name"},
        // The prefix still waits for a key when its group was skipped.
        {"+{XYZ}a", "<Shift !Invalid Key Name a >Shift"},
    });
}

TEST(KeyStringParser, CharactersWithoutAKey)
{
    expectAll({
        {"a\xC3\xA9"
         "b",
         "a !Invalid KeyName b"},
        // Braced, such a character is dropped without a word.
        {"a{\xC3\xA9}b", "a b"},
        {"\x01", "!Invalid KeyName"},
        // Skipped characters leave the prefix waiting for the next key.
        {"+\xC3\xA9"
         "b",
         "<Shift !Invalid KeyName b >Shift"},
        {"^{\xC3\xA9}b", "<Ctrl b >Ctrl"},
    });
}

TEST(KeyStringParser, UnclosedBraceStopsAndLeavesNoModifierDown)
{
    expectAll({
        {"ab{cd", "a b !No Close"},
        {"+(ab{cd", "<Shift a b !No Close >Shift"},
        {"^%{cd", "<Ctrl <Alt !No Close >Ctrl >Alt"},
        {"{", "!No Close"},
    });
}

TEST(KeyStringParser, BadRepeatCountStopsTyping)
{
    expectAll({
        {"{LEFT x}abc", "!34"},
        {"a{LEFT }b", "a !34"},
        {"{LEFT 5 6}", "!34"},
        {"+({LEFT 70000}", "<Shift !34 >Shift"},
        {"{ }", "!34"},
    });
    EXPECT_EQ(parsed("{LEFT 65535}"), "[Left*65535]");
}

TEST(KeyStringParser, UnclosedGroupIsReleasedAtTheEnd)
{
    expectAll({
        {"+(ab", "<Shift a b >Shift"},
        {"+", "<Shift >Shift"},
        {"a)b", "a b"},
    });
}

// A prefix for a modifier that is already waiting presses nothing more: the key is down once
// and comes up once, after the next key, so nothing after that key is typed with it.
TEST(KeyStringParser, RepeatedPrefixesPressTheirModifierOnce)
{
    expectAll({
        {"^^a{ENTER}a{ENTER}", "<Ctrl a >Ctrl [Enter] a [Enter]"},
        {"^^", "<Ctrl >Ctrl"},
        {"+^+a", "<Shift <Ctrl a >Shift >Ctrl"},
        {"%%%", "<Alt >Alt"},
        {"a^", "a <Ctrl >Ctrl"},
        {"a+^%", "a <Shift <Ctrl <Alt >Shift >Ctrl >Alt"},
        {"^(ab)", "<Ctrl a b >Ctrl"},
        {"^^(ab)c", "<Ctrl a b >Ctrl c"},
        {"^(^a)b", "<Ctrl a >Ctrl b"},
        {"++A", "<Shift <Shift A >Shift >Shift"},
    });
}

TEST(KeyStringParser, EveryKeyNameIsKnownInAnyCase)
{
    const struct {
        const char *name;
        uint8_t vk;
    } names[] = {
        {"BKSP", 0x08},  {"BS", 0x08},    {"BACKSPACE", 0x08}, {"BREAK", 0x03},      {"CAPSLOCK", 0x14},
        {"CLEAR", 0x0C}, {"DEL", 0x2E},   {"DELETE", 0x2E},    {"DOWN", 0x28},       {"END", 0x23},
        {"ENTER", 0x0D}, {"ESC", 0x1B},   {"ESCAPE", 0x1B},    {"F1", 0x70},         {"F2", 0x71},
        {"F3", 0x72},    {"F4", 0x73},    {"F5", 0x74},        {"F6", 0x75},         {"F7", 0x76},
        {"F8", 0x77},    {"F9", 0x78},    {"F10", 0x79},       {"F11", 0x7A},        {"F12", 0x7B},
        {"F13", 0x7C},   {"F14", 0x7D},   {"F15", 0x7E},       {"F16", 0x7F},        {"HELP", 0x2F},
        {"HOME", 0x24},  {"INS", 0x2D},   {"LEFT", 0x25},      {"NUMLOCK", 0x90},    {"PGDN", 0x22},
        {"PGUP", 0x21},  {"PRTSC", 0x2A}, {"RIGHT", 0x27},     {"SCROLLLOCK", 0x91}, {"TAB", 0x09},
        {"UP", 0x26},
    };
    ASSERT_EQ(std::size(names), 41u);
    const UsLayout layout;
    for (const auto &entry : names) {
        std::string lower = entry.name, mixed = entry.name;
        for (size_t i = 0; i < lower.size(); ++i) {
            lower[i] = static_cast<char>(std::tolower(lower[i]));
            if (i % 2)
                mixed[i] = lower[i];
        }
        for (const std::string &written : {std::string(entry.name), lower, mixed}) {
            const auto actions = KeyStringParser(layout).parse("{" + written + "}");
            ASSERT_EQ(actions.size(), 1u) << written;
            EXPECT_EQ(actions[0], KeyAction::pressVk(entry.vk)) << written;
        }
    }
    EXPECT_FALSE(vkForKeyName(U"ENTE"));
    EXPECT_FALSE(vkForKeyName(U"F17"));
}

TEST(KeyStringText, Utf8AndSingleByteTextBothDecode)
{
    EXPECT_EQ(decodeKeyString("a\xC3\xA9z"), U"a\u00E9z");
    EXPECT_EQ(decodeKeyString("\xE2\x82\xAC"), U"\u20AC");
    EXPECT_EQ(decodeKeyString("\xF0\x9F\x98\x80"), U"\U0001F600");
    // Bytes that begin no valid sequence stand for their Latin-1 characters.
    EXPECT_EQ(decodeKeyString("caf\xE9"), U"caf\u00E9");
    EXPECT_EQ(decodeKeyString("\xC0\xAF"), U"\u00C0\u00AF");
    EXPECT_EQ(decodeKeyString("\xED\xA0\x80"), U"\u00ED\u00A0\u0080");
    EXPECT_EQ(decodeKeyString("\xE2\x82"), U"\u00E2\u0082");
}

TEST(KeyStringText, RepeatCounts)
{
    EXPECT_EQ(parseRepeatCount(U"12"), 12);
    EXPECT_EQ(parseRepeatCount(U"-1"), -1);
    EXPECT_EQ(parseRepeatCount(U"007"), 7);
    EXPECT_FALSE(parseRepeatCount(U""));
    EXPECT_FALSE(parseRepeatCount(U"-"));
    EXPECT_FALSE(parseRepeatCount(U"1x"));
    EXPECT_FALSE(parseRepeatCount(U" 1"));
    EXPECT_FALSE(parseRepeatCount(U"99999999999999999999"));
}
