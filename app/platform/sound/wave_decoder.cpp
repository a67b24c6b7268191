#include "app/platform/sound/wave_decoder.h"

#include "app/platform/sound/wave_reader.h"

namespace orvane {
namespace {

constexpr std::size_t kPieceFrames = 65536;

DecodeResult readAll(WaveReaderResult opened)
{
    if (auto *error = std::get_if<std::string>(&opened))
        return *error;
    WaveReader &reader = *std::get<std::unique_ptr<WaveReader>>(opened);
    // In pieces: the length in a damaged header is no safe size to allocate at once.
    DecodedSound sound{{}, reader.rate(), reader.channels()};
    for (DecodedSound piece = reader.read(kPieceFrames); !piece.samples.empty();
         piece = reader.read(kPieceFrames))
        sound.samples.insert(sound.samples.end(), piece.samples.begin(), piece.samples.end());
    if (sound.samples.empty())
        return std::string("no sound could be read");
    return sound;
}

} // namespace

DecodeResult WaveDecoder::decodeFile(const std::string &path) { return readAll(WaveReader::openFile(path)); }

DecodeResult WaveDecoder::decodeImage(std::span<const std::uint8_t> bytes)
{
    return readAll(WaveReader::openImage(bytes));
}

} // namespace orvane
