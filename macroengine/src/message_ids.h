#pragma once
// Ids of the library's message table (messages.cpp), under the names the engine's code uses.
#include <cstdint>

namespace orvane {

inline constexpr uint16_t kMsgScrapNotValid = 2;
inline constexpr uint16_t kMsgInvalidHandle = 3;
inline constexpr uint16_t kMsgOpen = 4;
inline constexpr uint16_t kMsgCreate = 5;
inline constexpr uint16_t kMsgRead = 6;
inline constexpr uint16_t kMsgWrite = 7;
inline constexpr uint16_t kMsgClose = 8;
inline constexpr uint16_t kMsgFormat = 9;
inline constexpr uint16_t kMsgVersion = 10;
inline constexpr uint16_t kMsgAllocate = 11;
inline constexpr uint16_t kMsgRegistryFull = 13;
inline constexpr uint16_t kMsgKeyboardHook = 17;
inline constexpr uint16_t kMsgMouseHook = 19;
inline constexpr uint16_t kMsgCreateWindow = 23;
inline constexpr uint16_t kMsgNothingToUninstall = 25;
inline constexpr uint16_t kMsgPlaybackHook = 26;
inline constexpr uint16_t kMsgScrapAllocation = 28;
inline constexpr uint16_t kMsgSharedAllocation = 29;
inline constexpr uint16_t kMsgSharedMapping = 30;
inline constexpr uint16_t kMsgCannotRecord = 31;
inline constexpr uint16_t kMsgAlreadyOff = 32;
inline constexpr uint16_t kMsgUnknownError = 34;
inline constexpr uint16_t kMsgInvalidValue = 35;
inline constexpr uint16_t kMsgModifiersNotAllowed = 36;
inline constexpr uint16_t kMsgKeyInUse = 37;
inline constexpr uint16_t kMsgBusy = 38;
inline constexpr uint16_t kMsgNoMacroName = 100;
inline constexpr uint16_t kMsgMacroUndefined = 101;
inline constexpr uint16_t kMsgNoName = 300;
inline constexpr uint16_t kMsgCancel = 303;
inline constexpr uint16_t kMsgPause = 305;
inline constexpr uint16_t kMsgNumDivide = 306;
inline constexpr uint16_t kMsgNumDecimal = 307;

} // namespace orvane
