#pragma once

#include "input/input_platform.h"

#include <string>

namespace orvane::test {

// Input capture, playback and the lock keys, as the state machines see them, without X.
class FakeCapture : public RecordCapture {
public:
    bool start(const CaptureSettings &settings) override
    {
        ++starts;
        last = settings;
        return startWorks;
    }
    std::vector<CapturedEvent> stop() override
    {
        ++stops;
        std::vector<CapturedEvent> out;
        out.swap(pending);
        return out;
    }
    bool startWorks = true;
    int starts = 0, stops = 0;
    CaptureSettings last;
    std::vector<CapturedEvent> pending;
};

class FakeDevice : public PlaybackDevice {
public:
    bool start(PlaybackJob j, std::function<void()> f) override
    {
        job = std::move(j);
        finished = std::move(f);
        return startWorks;
    }
    void pause() override { calls += "pause;"; }
    void resume() override { calls += "resume;"; }
    void stop() override { calls += "stop;"; }
    bool startWorks = true;
    PlaybackJob job;
    std::function<void()> finished;
    std::string calls;
};

class FakeEnvironment : public InputEnvironment {
public:
    uint8_t lockFlags() override { return locks; }
    void setLockFlags(uint8_t flags, uint8_t mask) override
    {
        locks = static_cast<uint8_t>((locks & ~mask) | (flags & mask));
    }
    ScreenPoint pointer() override { return {300, 200}; }
    uint8_t locks = 0x10; // Num Lock on
};

class FakeService : public InputService {
public:
    GrabReport update(const InputSnapshot &snapshot) override
    {
        last = snapshot;
        ++updates;
        return {};
    }
    bool watching(KyKey key) const override { return last.ownMacros.count(key) != 0; }
    InputSnapshot last;
    int updates = 0;
};

} // namespace orvane::test
