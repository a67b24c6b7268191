#include "app/platform/sound/sound_log.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace orvane {
namespace {

const char *kindText(SoundKind kind)
{
    switch (kind) {
    case SoundKind::Snippet: return "snippet";
    case SoundKind::File: return "file";
    case SoundKind::Default: return "default";
    case SoundKind::Beep: return "beep";
    case SoundKind::CdTrack: return "cd";
    }
    return "?";
}

const char *modeText(SoundMode mode)
{
    switch (mode) {
    case SoundMode::Sync: return "sync";
    case SoundMode::Async: return "async";
    case SoundMode::AsyncNoStop: return "async-nostop";
    }
    return "?";
}

const char *outcomeText(SoundOutcome outcome)
{
    switch (outcome) {
    case SoundOutcome::Played: return "played";
    case SoundOutcome::Skipped: return "skipped";
    case SoundOutcome::Default: return "default";
    case SoundOutcome::Silent: return "silent";
    }
    return "?";
}

// A file name may hold anything but NUL; tabs and line breaks in it would break the columns.
std::string oneField(std::string_view text)
{
    std::string out(text);
    for (char &c : out) {
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    }
    return out;
}

} // namespace

SoundLog::SoundLog(const Clock &clock, std::string path) : m_clock(clock), m_path(std::move(path)) {}

SoundLog SoundLog::fromEnvironment(const Clock &clock)
{
    const char *path = std::getenv("ORVANE_SOUND_LOG");
    return SoundLog(clock, path ? path : "");
}

std::string SoundLog::localIsoTime(TimePoint when)
{
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

std::string SoundLog::formatLine(TimePoint when, SoundKind kind, std::string_view name, SoundMode mode,
                                 SoundOutcome outcome)
{
    std::string line = localIsoTime(when);
    line += '\t';
    line += kindText(kind);
    line += '\t';
    line += oneField(name);
    line += '\t';
    line += modeText(mode);
    line += '\t';
    line += outcomeText(outcome);
    return line;
}

void SoundLog::write(SoundKind kind, std::string_view name, SoundMode mode, SoundOutcome outcome)
{
    if (m_path.empty())
        return;
    const std::string line = formatLine(m_clock.now(), kind, name, mode, outcome) + '\n';
    std::lock_guard lock(m_mutex);
    // Opened per line in append mode so that readers always see whole lines and several
    // processes may share one log.
    std::FILE *f = std::fopen(m_path.c_str(), "a");
    bool ok = f != nullptr;
    if (f) {
        ok = std::fputs(line.c_str(), f) >= 0;
        ok = std::fclose(f) == 0 && ok;
    }
    if (!ok && !m_failureReported) {
        std::fprintf(stderr, "orvane: cannot write the sound log %s: %s\n", m_path.c_str(),
                     std::strerror(errno));
        m_failureReported = true;
    }
}

} // namespace orvane
