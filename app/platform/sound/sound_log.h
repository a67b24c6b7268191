#pragma once
// The sound log named by ORVANE_SOUND_LOG: one tab-separated line per sound request with the
// program clock's local time, the kind, the name, the mode and what happened. It lets tests of
// the whole program see what was played without listening.
#include "app/common/clock.h"

#include <mutex>
#include <string>
#include <string_view>

namespace orvane {

enum class SoundKind { Snippet, File, Default, Beep, CdTrack };
enum class SoundMode { Sync, Async, AsyncNoStop };
// Played: handed to the sound device; Silent: played through to its end with no device to hear
// it on; Skipped: not played; Default: the default sound played in its place.
enum class SoundOutcome { Played, Skipped, Default, Silent };

class SoundLog {
public:
    // An empty path keeps no log.
    SoundLog(const Clock &clock, std::string path);
    // The log named by ORVANE_SOUND_LOG, or none.
    static SoundLog fromEnvironment(const Clock &clock);

    bool enabled() const { return !m_path.empty(); }
    const std::string &path() const { return m_path; }
    // Appends one line; a log that cannot be written is reported once on stderr and then ignored.
    void write(SoundKind kind, std::string_view name, SoundMode mode, SoundOutcome outcome);

    // The line as written, without the newline.
    static std::string formatLine(TimePoint when, SoundKind kind, std::string_view name, SoundMode mode,
                                  SoundOutcome outcome);
    // YYYY-MM-DDTHH:MM:SS in the local time zone.
    static std::string localIsoTime(TimePoint when);

private:
    const Clock &m_clock;
    std::string m_path;
    std::mutex m_mutex;
    bool m_failureReported = false;
};

} // namespace orvane
