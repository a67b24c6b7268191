// The X11 parts of the input runtime.
#include "core/engine.h"
#include "input/input_platform.h"
#include "x11/input_x11_service.h"
#include "x11/lock_keys.h"
#include "x11/playback_x11_player.h"
#include "x11/recorder_x11_capture.h"
#include "x11/x_windows.h"

namespace orvane {

namespace {

class XInputEnvironment : public InputEnvironment {
public:
    uint8_t lockFlags() override { return currentLockFlags(); }
    void setLockFlags(uint8_t flags, uint8_t mask) override
    {
        // Each lock changed costs the server a keyboard update; unchanged ones are left alone.
        const uint8_t differing = (currentLockFlags() ^ flags) & mask;
        if (differing)
            orvane::setLockFlags(flags, differing);
    }
    ScreenPoint pointer() override
    {
        XInjectorDisplay display;
        return display ? pointerPosition(display.get()) : ScreenPoint{};
    }
};

} // namespace

InputPlatform InputPlatform::x11()
{
    InputPlatform platform;
    platform.createService = [](Engine &engine, RequestSink sink) -> std::unique_ptr<InputService> {
        MessageWindow *window = engine.messageWindow();
        if (!window)
            return nullptr;
        return XInputService::create(window->connection(), window->id(), std::move(sink));
    };
    platform.createCapture = [] { return std::make_unique<XRecordCapture>(); };
    platform.createPlayer = [] { return std::make_unique<XPlayer>(); };
    platform.createEnvironment = [] { return std::make_unique<XInputEnvironment>(); };
    return platform;
}

} // namespace orvane
