#include "tests/macroengine/key_strings/us_layout.h"

#include "key_strings/key_string_parser.h"
#include "key_strings/key_string_utf8.h"
#include "key_strings/text_actions.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

struct Case {
    const char *input;
    const char *actions;
};

std::string textTyped(std::string_view text)
{
    const UsLayout layout;
    return render(textActions(decodeKeyString(text), layout).actions);
}

std::string keysCoalesced(std::string_view keys)
{
    const UsLayout layout;
    return render(coalesceModifiers(KeyStringParser(layout).parse(keys)));
}

} // namespace

// Text is typed literally: the key-string language's own characters are plain characters.
TEST(TextActions, EveryCharacterIsTypedAsItself)
{
    for (const Case &c : std::initializer_list<Case>{
             {"ab", "a b"},
             {"+a~{b}", "<Shift + >Shift a <Shift ~ >Shift <Shift { >Shift b <Shift } >Shift"},
             {"A b", "<Shift A >Shift   b"},
             {"%^()", "<Shift % >Shift <Shift ^ >Shift <Shift ( >Shift <Shift ) >Shift"},
             {"", ""},
         })
        EXPECT_EQ(textTyped(c.input), c.actions) << "text: " << c.input;
}

TEST(TextActions, CharactersNoKeyTypesAreListedNotTyped)
{
    const UsLayout layout;
    const TextActions typed = textActions(U"a\u00e9b\u20ac", layout);
    EXPECT_EQ(render(typed.actions), "a b");
    EXPECT_EQ(typed.untypable, U"\u00e9\u20ac");
}

// Shift stays down across a run of shifted characters, and a modifier already down is not
// pressed again; what each key is typed with stays the same.
TEST(TextActions, CoalescingKeepsModifiersDownAcrossRuns)
{
    for (const Case &c : std::initializer_list<Case>{
             {"ABC", "<Shift A B C >Shift"},
             {"ABcD", "<Shift A B >Shift c <Shift D >Shift"},
             {"+A", "<Shift A >Shift"},
             {"+(AB)c", "<Shift A B >Shift c"},
             {"^a^b", "<Ctrl a >Ctrl <Ctrl b >Ctrl"},
             {"^(ab)", "<Ctrl a b >Ctrl"},
             {"abc", "a b c"},
             {"A{LEFT}B", "<Shift A >Shift [Left] <Shift B >Shift"},
         })
        EXPECT_EQ(keysCoalesced(c.input), c.actions) << "key string: " << c.input;
}

// What reaches the server: a doubled prefix must not keep its modifier down for the rest of
// the string.
TEST(TextActions, CoalescedDoubledPrefixesReleaseAfterTheNextKey)
{
    for (const Case &c : std::initializer_list<Case>{
             {"^^a{ENTER}a{ENTER}", "<Ctrl a >Ctrl [Enter] a [Enter]"},
             {"%%%{F4}x", "<Alt [F4] >Alt x"},
             {"++Ab", "<Shift A >Shift b"},
             {"^^(ab)c", "<Ctrl a b >Ctrl c"},
         })
        EXPECT_EQ(keysCoalesced(c.input), c.actions) << "key string: " << c.input;
}

TEST(TextActions, CoalescedTextStillTypesEveryCharacterWithItsModifiers)
{
    const UsLayout layout;
    const std::u32string text = U"Hello, World! ABC def (GHI)";
    const std::vector<KeyAction> actions = coalesceModifiers(textActions(text, layout).actions);
    // Replays the actions and checks that every character is typed with Shift held exactly
    // when its key needs it, and that no modifier is left down.
    bool shift = false;
    std::u32string typed;
    for (const KeyAction &a : actions) {
        if (a.kind == KeyActionKind::Down)
            shift = true;
        else if (a.kind == KeyActionKind::Up)
            shift = false;
        else {
            typed += a.character;
            EXPECT_EQ(shift, layout.modifiersForChar(a.character) == kCharShift)
                << "character " << static_cast<uint32_t>(a.character);
        }
    }
    EXPECT_EQ(typed, text);
    EXPECT_FALSE(shift);
}
