#pragma once
// The program's one sound output, with the behaviour of the platform call the clock was built
// around: a wave file by name or a wave image from memory, played synchronously (the call
// returns when the sound has ended) or asynchronously, and the system's default sound for a
// request that cannot be played.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

// Request flags, with the values the callers are written against (1 async, 0x11 async without
// cutting off a sound that is playing). A memory image is its own overload of play().
enum SoundFlag : unsigned {
    sndSync = 0x00,      // return when the sound has ended
    sndAsync = 0x01,     // return at once; the sound plays on
    sndNoDefault = 0x02, // an unplayable sound is silence, not the default sound
    sndNoStop = 0x10,    // with sndAsync: skip the request while another sound plays
};
using SoundFlags = unsigned;

// MessageBeep types; any other value sounds like beepOk.
enum BeepType : unsigned {
    beepOk = 0x00,
    beepHand = 0x10,
    beepQuestion = 0x20,
    beepExclamation = 0x30,
    beepAsterisk = 0x40,
    beepSimple = 0xFFFFFFFFu,
};

// A complete RIFF WAVE image held in memory; the name says which one in the sound log.
struct SoundImage {
    std::string_view name;
    std::span<const std::uint8_t> bytes;
};

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    // Plays the wave file `fileName`. An empty name asks for the default sound itself.
    // Returns true when a sound (the file's or the default one) was started and, for a
    // synchronous request, has ended (played out or cut off); false when it was skipped.
    // A request that plays cuts off the sound that is playing; a skipped one leaves it alone.
    virtual bool play(const std::string &fileName, SoundFlags flags) = 0;
    // The same for a wave image in memory. The bytes must stay valid until the call returns;
    // the player keeps its own decoded copy for asynchronous playing.
    virtual bool play(const SoundImage &image, SoundFlags flags) = 0;
    // Cuts off the sound that is playing, if any.
    virtual void stop() = 0;
    // Plays the system's alert sound for `type` asynchronously; true when it was started.
    virtual bool MessageBeep(unsigned type) = 0;
    // Whether a sound is playing at this moment.
    virtual bool isPlaying() const = 0;
};

} // namespace orvane
