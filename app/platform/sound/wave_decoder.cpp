#include "app/platform/sound/wave_decoder.h"

#include <sndfile.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace orvane {
namespace {

struct SndFileCloser {
    void operator()(SNDFILE *f) const { sf_close(f); }
};
using SndFilePtr = std::unique_ptr<SNDFILE, SndFileCloser>;

// libsndfile's virtual I/O over a read-only byte range.
struct MemoryReader {
    std::span<const std::uint8_t> bytes;
    sf_count_t position = 0;
};

sf_count_t memoryLength(void *user)
{
    return static_cast<sf_count_t>(static_cast<MemoryReader *>(user)->bytes.size());
}

sf_count_t memorySeek(sf_count_t offset, int whence, void *user)
{
    auto *r = static_cast<MemoryReader *>(user);
    const auto size = static_cast<sf_count_t>(r->bytes.size());
    sf_count_t target = offset;
    if (whence == SEEK_CUR)
        target = r->position + offset;
    else if (whence == SEEK_END)
        target = size + offset;
    r->position = std::clamp<sf_count_t>(target, 0, size);
    return r->position;
}

sf_count_t memoryRead(void *dest, sf_count_t count, void *user)
{
    auto *r = static_cast<MemoryReader *>(user);
    const auto size = static_cast<sf_count_t>(r->bytes.size());
    const sf_count_t n = std::clamp<sf_count_t>(size - r->position, 0, std::max<sf_count_t>(count, 0));
    if (n > 0)
        std::memcpy(dest, r->bytes.data() + r->position, static_cast<std::size_t>(n));
    r->position += n;
    return n;
}

sf_count_t memoryWrite(const void *, sf_count_t, void *) { return 0; }

sf_count_t memoryTell(void *user) { return static_cast<MemoryReader *>(user)->position; }

// Reads all frames (up to the length limit) of an open sound.
DecodeResult readAll(SNDFILE *file, const SF_INFO &info)
{
    if (info.channels < 1 || info.channels > 16 || info.samplerate < 1000 || info.samplerate > 768000)
        return std::string("unsupported channel count or sample rate");
    if (info.frames <= 0)
        return std::string("no sound in it");
    const auto limit = static_cast<sf_count_t>(WaveDecoder::kMaxSeconds * info.samplerate);
    const sf_count_t wanted = std::min(info.frames, limit);

    DecodedSound sound;
    sound.rate = info.samplerate;
    sound.channels = info.channels;
    sound.samples.resize(static_cast<std::size_t>(wanted) * static_cast<std::size_t>(info.channels));
    const sf_count_t got = sf_readf_float(file, sound.samples.data(), wanted);
    if (got <= 0)
        return std::string("no sound could be read: ") + sf_strerror(file);
    sound.samples.resize(static_cast<std::size_t>(got) * static_cast<std::size_t>(info.channels));
    return sound;
}

} // namespace

DecodeResult WaveDecoder::decodeFile(const std::string &path)
{
    // Opening a FIFO or a device node could block the caller for good; only plain files play.
    struct stat st{};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return std::string("no such file");
    if (!S_ISREG(st.st_mode))
        return std::string("not a regular file");

    SF_INFO info{};
    SndFilePtr file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
        return std::string(sf_strerror(nullptr));
    return readAll(file.get(), info);
}

DecodeResult WaveDecoder::decodeImage(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return std::string("empty image");
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    MemoryReader reader{bytes, 0};
    SF_INFO info{};
    SndFilePtr file(sf_open_virtual(&io, SFM_READ, &info, &reader));
    if (!file)
        return std::string(sf_strerror(nullptr));
    return readAll(file.get(), info);
}

} // namespace orvane
