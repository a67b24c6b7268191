#include "app/platform/fake/fake_sound_player.h"

namespace orvane {

bool FakeSoundPlayer::request(Call call, bool playable)
{
    m_calls.push_back(call);
    if ((call.flags & sndNoStop) && m_playing)
        return false;
    return playable || !(call.flags & sndNoDefault);
}

bool FakeSoundPlayer::play(const std::string &fileName, SoundFlags flags)
{
    const bool playable = !fileName.empty() && !m_unplayable.contains(fileName);
    return request({Kind::File, fileName, flags, 0}, playable);
}

bool FakeSoundPlayer::play(const SoundImage &image, SoundFlags flags)
{
    const bool playable = !image.bytes.empty() && !m_unplayable.contains(std::string(image.name));
    return request({Kind::Image, std::string(image.name), flags, image.bytes.size()}, playable);
}

void FakeSoundPlayer::stop()
{
    m_calls.push_back({Kind::Stop, "", 0, 0});
    m_playing = false;
}

bool FakeSoundPlayer::MessageBeep(unsigned type)
{
    m_calls.push_back({Kind::Beep, std::to_string(type), sndAsync, 0});
    return true;
}

std::vector<std::string> FakeSoundPlayer::requestedNames() const
{
    std::vector<std::string> names;
    for (const Call &c : m_calls) {
        if (c.kind == Kind::File || c.kind == Kind::Image)
            names.push_back(c.name);
    }
    return names;
}

} // namespace orvane
