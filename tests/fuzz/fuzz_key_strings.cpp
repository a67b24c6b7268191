// Any key string: the parser turns it into key actions or messages, never crashes, and every
// modifier it presses comes up again.
#include "key_strings/key_string_parser.h"

#include <map>
#include <string_view>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const UsLayout layout;
    const std::string_view keys(reinterpret_cast<const char *>(data), size);
    std::map<int, int> held;
    for (const KeyAction &a : KeyStringParser(layout).parse(keys)) {
        if (a.kind == KeyActionKind::Down)
            ++held[a.vk];
        else if (a.kind == KeyActionKind::Up)
            --held[a.vk];
    }
    for (const auto &[vk, count] : held)
        if (count != 0)
            __builtin_trap();
    return 0;
}
