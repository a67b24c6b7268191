#pragma once
// The real subsystems behind the main window: alarm table and pass, voice, title decoration and
// the announce hot key.
#include "app/clock/ui/main_services.h"
#include "app/common/clock.h"

#include <memory>

namespace orvane {

class TMain;

class TProgramServices : public MainServices {
public:
    explicit TProgramServices(const Clock &clock);
    ~TProgramServices() override;

    // Gives the services the window that owns them, for the dialogs and message boxes they open.
    void attach(TMain &main);

    void loadAlarmTable() override;
    std::optional<std::string> saveAlarmTable() override;
    void initAlarms(bool autoStart) override;
    void runAlarmPass(TDateTime displayMinute, TProgramSettings &settings) override;
    void announce(int hour, int minute, bool requested, const TProgramSettings &settings) override;
    void decorateTitle(const std::string &suffix, WindowScope scope) override;
    void redecorateTitle(const std::string &suffix) override;
    void restoreTitle() override;
    bool bindHotKey(uint16_t key, std::function<void()> onPress) override;
    void unbindHotKey() override;

private:
    // A failure the user should see: on standard error, and in a message box.
    void report(const std::string &text);

    struct Parts;
    const Clock &m_clock;
    TMain *m_main = nullptr;
    std::unique_ptr<Parts> m_parts;
};

} // namespace orvane
