#pragma once
// Makes the tray icon see a notification area (or none) for one test, whatever the platform has.
#include "app/clock/ui/tray_icon.h"

enum class TrayHost { Present, Absent };

class TrayHostGuard {
public:
    explicit TrayHostGuard(TrayHost host)
    {
        orvane::TTrayIcon::setHostCheck(host == TrayHost::Present ? +[] { return true; }
                                                                  : +[] { return false; });
    }
    ~TrayHostGuard() { orvane::TTrayIcon::setHostCheck(nullptr); }
};
