#pragma once
// A sound player for tests: it plays nothing and records every request in order. Files named
// unplayable behave like unreadable waves (default sound or skip, by the flags), and a sound
// counts as playing only while a test says so.
#include "app/platform/sound_player.h"

#include <set>
#include <string>
#include <vector>

namespace orvane {

class FakeSoundPlayer : public SoundPlayer {
public:
    enum class Kind { File, Image, Beep, Stop };
    struct Call {
        Kind kind;
        std::string name; // file name, image name, or the beep type in decimal
        SoundFlags flags;
        std::size_t bytes; // size of an image
        bool operator==(const Call &) const = default;
    };

    bool play(const std::string &fileName, SoundFlags flags) override;
    bool play(const SoundImage &image, SoundFlags flags) override;
    void stop() override;
    bool MessageBeep(unsigned type) override;
    bool isPlaying() const override { return m_playing; }

    // Every request so far, stops included.
    const std::vector<Call> &calls() const { return m_calls; }
    // The names of the file and image requests, in order, whatever became of them.
    std::vector<std::string> requestedNames() const;
    void clear() { m_calls.clear(); }

    void setPlaying(bool playing) { m_playing = playing; }
    void markUnplayable(const std::string &fileName) { m_unplayable.insert(fileName); }

private:
    bool request(Call call, bool playable);

    std::vector<Call> m_calls;
    std::set<std::string> m_unplayable;
    bool m_playing = false;
};

} // namespace orvane
