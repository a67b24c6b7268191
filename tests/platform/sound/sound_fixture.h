#pragma once
// Test material for the sound layer: a scratch folder and wave files of known length written
// with libsndfile.
#include "tests/support/env_guard.h"

#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

class SoundScratch {
public:
    SoundScratch()
    {
        static int counter = 0;
        m_path = std::filesystem::temp_directory_path() /
                 ("orvane-sound-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(m_path);
    }
    ~SoundScratch()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string file(const std::string &name) const { return (m_path / name).string(); }

    // A 440 Hz tone of `seconds` as 16-bit PCM WAV; returns its path.
    std::string tone(const std::string &name, double seconds, int rate = 22050, int channels = 1) const
    {
        const std::string path = file(name);
        SF_INFO info{};
        info.samplerate = rate;
        info.channels = channels;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE *f = sf_open(path.c_str(), SFM_WRITE, &info);
        const auto frames = static_cast<std::size_t>(seconds * rate);
        std::vector<float> samples(frames * static_cast<std::size_t>(channels));
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = 0.25f * static_cast<float>(std::sin(i / static_cast<double>(channels) * 0.125));
        sf_writef_float(f, samples.data(), static_cast<sf_count_t>(frames));
        sf_close(f);
        return path;
    }

    std::string writeText(const std::string &name, const std::string &bytes) const
    {
        const std::string path = file(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::string read(const std::string &path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    static std::vector<std::string> lines(const std::string &path)
    {
        std::vector<std::string> out;
        std::istringstream in(read(path));
        for (std::string line; std::getline(in, line);)
            out.push_back(line);
        return out;
    }

private:
    std::filesystem::path m_path;
};

inline std::string snippetPath(const std::string &name)
{
    return std::string(ORVANE_TEST_SOURCE_DIR) + "/app/resources/snippets/" + name + ".wav";
}
