#pragma once
// The plain-ASCII case folding and substring tests the alarm texts are matched with.
#include <string>
#include <string_view>

namespace orvane {

std::string UpperCase(std::string_view text);
bool Contains(std::string_view text, std::string_view part);

} // namespace orvane
