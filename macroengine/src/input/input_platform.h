#pragma once

#include "input/input_dispatch.h"
#include "input/input_request.h"
#include "recording/recorder_events.h"

#include <functional>
#include <memory>
#include <vector>

namespace orvane {

class Engine;

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// Watches the hot keys and the steering keys for this process and carries requests between
// processes' message windows.
class InputService {
public:
    struct GrabReport {
        std::vector<KyKey> refusedKeys;    // keyboard keys another client holds
        std::vector<KyKey> refusedButtons; // mouse buttons another client holds
    };

    virtual ~InputService() = default;

    // Hands over what the engine looks like now. When the keys to watch change it waits, for a
    // bounded time, until the system has answered, and reports the keys it could not take.
    virtual GrabReport update(const InputSnapshot &snapshot) = 0;

    // Whether the key is being watched for this process.
    virtual bool watching(KyKey key) const = 0;
};

struct CaptureSettings {
    uint8_t mouseOrigin = MBScreen;
    ScreenPoint start; // the pointer at the start, for the origin MBPointer
    // Mouse messages the recording drops anyway, which the capture need not look at.
    uint32_t excludedLow = 0;
    uint32_t excludedHigh = 0;
};

// Captures the input events of the whole desktop from start to stop.
class RecordCapture {
public:
    virtual ~RecordCapture() = default;
    virtual bool start(const CaptureSettings &settings) = 0;
    // Ends the capture and hands over every event seen since start, in order.
    virtual std::vector<CapturedEvent> stop() = 0;
};

struct PlaybackJob {
    std::vector<MacroEvent> events;
    bool fast = false;
    uint8_t mouseOrigin = MBScreen;
    ScreenPoint start; // the pointer at the start, for the origin MBPointer
};

// Plays events into the system's input stream on a thread of its own.
class PlaybackDevice {
public:
    virtual ~PlaybackDevice() = default;
    // `finished` is called from the playing thread once it is past the last event.
    virtual bool start(PlaybackJob job, std::function<void()> finished) = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    // Stops at once; no key or button the playback pressed stays down.
    virtual void stop() = 0;
};

// The lock keys and the pointer.
class InputEnvironment {
public:
    virtual ~InputEnvironment() = default;
    virtual uint8_t lockFlags() = 0;
    virtual void setLockFlags(uint8_t flags, uint8_t mask) = 0;
    virtual ScreenPoint pointer() = 0;
};

// Makes the parts above; the system's own are the X11 ones.
struct InputPlatform {
    using RequestSink = std::function<void(const EngineRequest &)>;

    std::function<std::unique_ptr<InputService>(Engine &, RequestSink)> createService;
    std::function<std::unique_ptr<RecordCapture>()> createCapture;
    std::function<std::unique_ptr<PlaybackDevice>()> createPlayer;
    std::function<std::unique_ptr<InputEnvironment>()> createEnvironment;

    static InputPlatform x11();
};

} // namespace orvane
