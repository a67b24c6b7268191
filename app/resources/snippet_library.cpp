#include "app/resources/snippet_library.h"

#include <algorithm>

namespace orvane {

// Filled in by the generated snippet_data.cpp.
extern const SnippetEntry kSnippetTable[];
extern const std::size_t kSnippetTableSize;

namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

} // namespace

std::span<const SnippetEntry> SnippetLibrary::all() { return {kSnippetTable, kSnippetTableSize}; }

std::optional<std::span<const std::uint8_t>> SnippetLibrary::find(std::string_view name)
{
    for (const SnippetEntry &entry : all()) {
        if (equalsIgnoringCase(entry.name, name))
            return entry.image;
    }
    return std::nullopt;
}

} // namespace orvane
