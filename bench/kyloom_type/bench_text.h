#pragma once

#include <string>

namespace orvane::bench {

// `length` characters of mixed text made the same way every time: words of lower- and
// upper-case letters, digits, punctuation (every character the key-string language reads
// specially among it) and now and then a letter or sign that a US keyboard map lacks.
std::u32string benchText(size_t length);

// The text as a key string that types it: the language's own characters in braces.
std::string asKeyString(const std::u32string &text);

std::string toUtf8(const std::u32string &text);

// The length of the longest common subsequence: how many characters arrived in order.
size_t charactersInOrder(const std::u32string &expected, const std::u32string &received);

} // namespace orvane::bench
