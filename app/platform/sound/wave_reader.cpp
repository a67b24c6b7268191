#include "app/platform/sound/wave_reader.h"

#include "app/platform/sound/sndfile_api.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace orvane {
namespace {

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

} // namespace

struct WaveReader::Impl {
    const SndfileApi *sf = nullptr;
    MemoryReader memory;
    SF_INFO info{};
    SNDFILE *file = nullptr;
};

WaveReader::WaveReader(std::unique_ptr<Impl> impl)
    : m_impl(std::move(impl)), m_rate(m_impl->info.samplerate), m_channels(m_impl->info.channels),
      m_frames(m_impl->info.frames)
{}

WaveReader::~WaveReader() { m_impl->sf->close(m_impl->file); }

WaveReaderResult WaveReader::open(std::unique_ptr<Impl> impl)
{
    if (!impl->file)
        return std::string(impl->sf->strerror(nullptr));
    const SF_INFO &info = impl->info;
    const bool usable =
        info.channels >= 1 && info.channels <= 16 && info.samplerate >= 1000 && info.samplerate <= 768000;
    if (!usable || info.frames <= 0) {
        impl->sf->close(impl->file);
        return std::string(usable ? "no sound in it" : "unsupported channel count or sample rate");
    }
    return std::unique_ptr<WaveReader>(new WaveReader(std::move(impl)));
}

WaveReaderResult WaveReader::openFile(const std::string &path)
{
    // Opening a FIFO or a device node could block the caller for good; only plain files play.
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return std::string("no such file");
    if (!S_ISREG(st.st_mode))
        return std::string("not a regular file");
    auto impl = std::make_unique<Impl>();
    std::string error;
    impl->sf = loadSndfile(error);
    if (!impl->sf)
        return error;
    impl->file = impl->sf->open(path.c_str(), SFM_READ, &impl->info);
    return open(std::move(impl));
}

WaveReaderResult WaveReader::openImage(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return std::string("empty image");
    auto impl = std::make_unique<Impl>();
    std::string error;
    impl->sf = loadSndfile(error);
    if (!impl->sf)
        return error;
    impl->memory.bytes = bytes;
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    impl->file = impl->sf->open_virtual(&io, SFM_READ, &impl->info, &impl->memory);
    return open(std::move(impl));
}

DecodedSound WaveReader::read(std::size_t maxFrames)
{
    DecodedSound chunk;
    chunk.rate = m_rate;
    chunk.channels = m_channels;
    chunk.samples.resize(maxFrames * static_cast<std::size_t>(m_channels));
    const sf_count_t got =
        m_impl->sf->readf_float(m_impl->file, chunk.samples.data(), static_cast<sf_count_t>(maxFrames));
    chunk.samples.resize(static_cast<std::size_t>(std::max<sf_count_t>(got, 0)) *
                         static_cast<std::size_t>(m_channels));
    return chunk;
}

} // namespace orvane
