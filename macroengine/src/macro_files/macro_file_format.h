#pragma once

#include "core/macro_record.h"

#include <array>
#include <cstdint>
#include <string>

namespace orvane {

// The macro file: a 9-byte signature, a 16-bit version, then entries up to the end of the file,
// all little-endian.
namespace macro_file {

constexpr std::array<uint8_t, 9> kSignature = {0x08, 'K', 'Y', 'L', 'O', 'O', 'M', '3', '2'};
constexpr uint16_t kVersion = 0x0200;
constexpr size_t kHeaderBytes = 16;
constexpr size_t kEventBytes = 20;
constexpr size_t kMaxNameLength = 60;
constexpr size_t kMaxFileNameLength = 128;
// No recording comes near this many events (20 MiB of them); a count above it can only come
// from a damaged or forged file, and is refused before anything is allocated for it.
constexpr int64_t kMaxEvents = int64_t{1} << 20;

std::array<uint8_t, kHeaderBytes> encodeHeader(const MacroRecord &record);

// Fills the header fields of `record` from a stored header; the stored code hook is never
// taken, as an address from a file means nothing in this process.
void decodeHeader(const uint8_t *bytes, MacroRecord &record);

void encodeEvent(const MacroEvent &event, uint8_t *bytes);
MacroEvent decodeEvent(const uint8_t *bytes);

// The name as stored: trailing blanks removed and cut to 60 characters.
std::string storedName(const std::string &name);

std::string limitFileName(const char *fileName);

} // namespace macro_file

} // namespace orvane
