#pragma once
// Main-window services that only remember what they were asked to do.
#include "app/clock/ui/main_services.h"

#include <vector>

namespace orvane {

class FakeServices : public MainServices {
public:
    int loads = 0;
    int saves = 0;
    std::vector<std::string> calls;
    bool hotKeyBound = false;
    std::function<void()> hotKeyPress;

    void loadAlarmTable() override { ++loads; }
    std::optional<std::string> saveAlarmTable() override
    {
        ++saves;
        return std::nullopt;
    }
    void initAlarms(bool) override { calls.push_back("init"); }
    void runAlarmPass(TDateTime, TProgramSettings &) override { calls.push_back("pass"); }
    void announce(int h, int m, bool requested, const TProgramSettings &) override
    {
        calls.push_back("announce " + std::to_string(h) + ":" + std::to_string(m) + (requested ? "!" : ""));
    }
    void decorateTitle(const std::string &, WindowScope) override {}
    void redecorateTitle(const std::string &) override {}
    void restoreTitle() override { calls.push_back("restore"); }
    bool bindHotKey(uint16_t, std::function<void()> onPress) override
    {
        hotKeyBound = true;
        hotKeyPress = std::move(onPress);
        return true;
    }
    void unbindHotKey() override { hotKeyBound = false; }
};

} // namespace orvane
