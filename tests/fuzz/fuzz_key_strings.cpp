// Any key string: the parser turns it into key actions or messages, never crashes, and every
// modifier it presses comes up again, both in its own actions and in the folded actions that
// reach the X server.
#include "key_strings/key_string_parser.h"
#include "key_strings/text_actions.h"

#include <map>
#include <string_view>
#include <vector>

using namespace orvane;

namespace {

class UsLayout : public KeyStringLayout {
public:
    std::optional<uint8_t> modifiersForChar(char32_t c) const override
    {
        constexpr std::u32string_view plain = U"abcdefghijklmnopqrstuvwxyz0123456789`-=[]\\;',./ \t\n";
        constexpr std::u32string_view shifted = U"ABCDEFGHIJKLMNOPQRSTUVWXYZ~!@#$%^&*()_+{}|:\"<>?";
        if (plain.find(c) != std::u32string_view::npos)
            return uint8_t{0};
        if (shifted.find(c) != std::u32string_view::npos)
            return uint8_t{kCharShift};
        return std::nullopt;
    }
};

// Every key goes down as often as it comes up.
void checkBalanced(const std::vector<KeyAction> &actions)
{
    std::map<int, int> held;
    for (const KeyAction &a : actions) {
        if (a.kind == KeyActionKind::Down)
            ++held[a.vk];
        else if (a.kind == KeyActionKind::Up)
            --held[a.vk];
    }
    for (const auto &[vk, count] : held)
        if (count != 0)
            __builtin_trap();
}

// In the folded actions a key is never pressed while it is down nor released while it is up,
// as on a real keyboard.
void checkNeverPressedTwice(const std::vector<KeyAction> &actions)
{
    std::map<int, bool> down;
    for (const KeyAction &a : actions) {
        if (a.kind != KeyActionKind::Down && a.kind != KeyActionKind::Up)
            continue;
        const bool goingDown = a.kind == KeyActionKind::Down;
        if (down[a.vk] == goingDown)
            __builtin_trap();
        down[a.vk] = goingDown;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const UsLayout layout;
    const std::string_view keys(reinterpret_cast<const char *>(data), size);
    const std::vector<KeyAction> actions = KeyStringParser(layout).parse(keys);
    checkBalanced(actions);
    const std::vector<KeyAction> folded = coalesceModifiers(actions);
    checkBalanced(folded);
    checkNeverPressedTwice(folded);
    return 0;
}
