#include "app/resources/snippet_library.h"

#include <sndfile.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>

using namespace orvane;

namespace {

// Reads the format of an image with libsndfile's virtual I/O.
struct Reader {
    std::span<const std::uint8_t> bytes;
    sf_count_t pos = 0;
};

SF_INFO infoOf(std::span<const std::uint8_t> bytes)
{
    SF_VIRTUAL_IO io{};
    io.get_filelen = [](void *u) { return static_cast<sf_count_t>(static_cast<Reader *>(u)->bytes.size()); };
    io.seek = [](sf_count_t off, int whence, void *u) {
        auto *r = static_cast<Reader *>(u);
        r->pos = whence == SEEK_SET   ? off
                 : whence == SEEK_CUR ? r->pos + off
                                      : static_cast<sf_count_t>(r->bytes.size()) + off;
        return r->pos;
    };
    io.read = [](void *dst, sf_count_t n, void *u) {
        auto *r = static_cast<Reader *>(u);
        n = std::min<sf_count_t>(n, static_cast<sf_count_t>(r->bytes.size()) - r->pos);
        std::memcpy(dst, r->bytes.data() + r->pos, static_cast<std::size_t>(n));
        r->pos += n;
        return n;
    };
    io.tell = [](void *u) { return static_cast<Reader *>(u)->pos; };
    Reader reader{bytes};
    SF_INFO info{};
    SNDFILE *f = sf_open_virtual(&io, SFM_READ, &info, &reader);
    if (f)
        sf_close(f);
    else
        info = SF_INFO{};
    return info;
}

} // namespace

TEST(SnippetLibrary, HoldsExactlyTheTwentyFiveSnippetsTheClockSpeaks)
{
    std::set<std::string> expected = {"WAVEFILE_OCLOCK", "WAVEFILE_30", "WAVEFILE_40", "WAVEFILE_50"};
    for (int n = 0; n <= 20; ++n)
        expected.insert("WAVEFILE_" + std::to_string(n));
    std::set<std::string> present;
    for (const SnippetEntry &e : SnippetLibrary::all())
        present.insert(std::string(e.name));
    EXPECT_EQ(present, expected);
}

TEST(SnippetLibrary, EverySnippetIsAnElevenKilohertzEightBitMonoWave)
{
    for (const SnippetEntry &e : SnippetLibrary::all()) {
        const SF_INFO info = infoOf(e.image);
        EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_U8) << e.name;
        EXPECT_EQ(info.samplerate, 11025) << e.name;
        EXPECT_EQ(info.channels, 1) << e.name;
        // Long enough to be a word, short enough to keep an announcement brief.
        EXPECT_GT(info.frames, 11025 / 5) << e.name;
        EXPECT_LT(info.frames, 11025 * 2) << e.name;
    }
}

TEST(SnippetLibrary, NamesAreFoundWithoutRegardToCase)
{
    const auto upper = SnippetLibrary::find("WAVEFILE_0");
    ASSERT_TRUE(upper.has_value());
    const auto mixed = SnippetLibrary::find("WaveFile_0");
    ASSERT_TRUE(mixed.has_value());
    EXPECT_EQ(mixed->data(), upper->data());
    EXPECT_TRUE(SnippetLibrary::find("Wavefile_oclock").has_value());
    EXPECT_NE(SnippetLibrary::find("wavefile_1")->data(), SnippetLibrary::find("wavefile_10")->data());
}

TEST(SnippetLibrary, UnknownNamesAreNotFound)
{
    for (const char *name :
         {"", "WAVEFILE_", "WAVEFILE_21", "WAVEFILE_00", "WAVEFILE_0 ", "WAVEFILE_0.wav", "OCLOCK"})
        EXPECT_FALSE(SnippetLibrary::find(name).has_value()) << '"' << name << '"';
}
