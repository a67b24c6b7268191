#include "app/clock/ui/program_services.h"

#include "app/clock/title_decorator.h"
#include "app/clock/ui/main_window.h"
#include "app/clock/voice_announcer.h"
#include "app/platform/sound/sdl_sound_player.h"
#include "app/platform/window_layer.h"

#include <cstdio>

namespace orvane {

struct TProgramServices::Parts {
    std::unique_ptr<WindowLayer> windows;
    std::unique_ptr<TitleDecorator> decorator;
    std::unique_ptr<SdlSoundPlayer> sound;
    std::unique_ptr<VoiceAnnouncer> voice;
};

TProgramServices::TProgramServices(const Clock &clock) : m_clock(clock), m_parts(std::make_unique<Parts>())
{
    m_parts->windows = openX11WindowLayer();
    if (m_parts->windows)
        m_parts->decorator = std::make_unique<TitleDecorator>(*m_parts->windows);
    else
        std::fprintf(stderr, "orvane: no X display: the title-bar clock is off\n");
    m_parts->sound = SdlSoundPlayer::fromEnvironment(clock);
    m_parts->voice = std::make_unique<VoiceAnnouncer>(*m_parts->sound);
}

TProgramServices::~TProgramServices() = default;

void TProgramServices::attach(TMain &main) { m_main = &main; }

void TProgramServices::loadAlarmTable() {}

std::optional<std::string> TProgramServices::saveAlarmTable() { return std::nullopt; }

void TProgramServices::initAlarms(bool) {}

void TProgramServices::runAlarmPass(TDateTime, TProgramSettings &) {}

void TProgramServices::announce(int hour, int minute, bool requested, const TProgramSettings &settings)
{
    m_parts->voice->Announce(hour, minute, requested, VoiceSettings::from(settings));
}

void TProgramServices::decorateTitle(const std::string &suffix, WindowScope scope)
{
    if (m_parts->decorator)
        m_parts->decorator->decorate(suffix, scope);
}

void TProgramServices::redecorateTitle(const std::string &suffix)
{
    if (m_parts->decorator)
        m_parts->decorator->redecorate(suffix);
}

void TProgramServices::restoreTitle()
{
    if (m_parts->decorator)
        m_parts->decorator->restore();
}

bool TProgramServices::bindHotKey(uint16_t, std::function<void()>) { return false; }

void TProgramServices::unbindHotKey() {}

} // namespace orvane
