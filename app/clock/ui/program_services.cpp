#include "app/clock/ui/program_services.h"

#include "app/clock/ui/main_window.h"

namespace orvane {

struct TProgramServices::Parts {
};

TProgramServices::TProgramServices(const Clock &clock) : m_clock(clock), m_parts(std::make_unique<Parts>()) {}

TProgramServices::~TProgramServices() = default;

void TProgramServices::attach(TMain &main) { m_main = &main; }

void TProgramServices::loadAlarmTable() {}

std::optional<std::string> TProgramServices::saveAlarmTable() { return std::nullopt; }

void TProgramServices::initAlarms(bool) {}

void TProgramServices::runAlarmPass(TDateTime, TProgramSettings &) {}

void TProgramServices::announce(int, int, bool, const TProgramSettings &) {}

void TProgramServices::decorateTitle(const std::string &, WindowScope) {}

void TProgramServices::redecorateTitle(const std::string &) {}

void TProgramServices::restoreTitle() {}

bool TProgramServices::bindHotKey(uint16_t, std::function<void()>) { return false; }

void TProgramServices::unbindHotKey() {}

} // namespace orvane
