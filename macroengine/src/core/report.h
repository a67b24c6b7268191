#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// Shows message `id` of the library's table with an empty caption through the current reporting
// function; every message box of the engine goes through here.
void reportMessage(uint16_t id);

// Shows message `id` followed by the reason for it ("...: <why>"), or the message alone when
// `why` is empty.
void reportMessageWithReason(uint16_t id, const std::string &why);

// Shows a text of the caller's own with the given caption (the key-string language uses
// "SendKeys").
void reportText(const char *caption, const std::string &text);

// Reports message 34 ("An unknown error has occurred") for a failure nobody expected; never
// throws, so that it can close any export.
void reportUnknownError() noexcept;

// The text of message `id` as a std::string (empty for an unknown id).
std::string messageText(uint16_t id);

} // namespace orvane
