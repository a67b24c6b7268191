#pragma once

#include "core/engine.h"
#include "kyloom32.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace orvane::test {

// Collects what the library reports instead of writing it to standard error.
class ReportCapture {
public:
    ReportCapture()
    {
        messages().clear();
        SetReportFunction(&ReportCapture::record);
    }
    ~ReportCapture() { SetReportFunction(nullptr); }

    static std::vector<std::string> &messages()
    {
        static std::vector<std::string> all;
        return all;
    }
    std::vector<std::string> take()
    {
        std::vector<std::string> out;
        out.swap(messages());
        return out;
    }

private:
    static void record(const char *caption, const char *text)
    {
        messages().push_back(std::string(caption) + (caption[0] ? "|" : "") + text);
    }
};

// A registry segment of its own per test, so tests never touch the user's real hot keys.
inline std::string uniqueSegmentName()
{
    static std::atomic<int> counter{0};
    return "/kyloom-test." + std::to_string(getpid()) + "." + std::to_string(counter++);
}

class FakeWindow : public MessageWindow {
public:
    explicit FakeWindow(uint32_t id) : m_id(id) {}
    uint32_t id() const override { return m_id; }

private:
    uint32_t m_id;
};

// An engine over a private registry segment and a fake message window.
class EngineTest : public ::testing::Test {
protected:
    EngineTest() : segmentName(uniqueSegmentName()), engine(platform(segmentName, &windowId)) {}
    ~EngineTest() override { shm_unlink(segmentName.c_str()); }

    // Without a usable /dev/shm every test fails here, cleanly, instead of crashing later.
    void SetUp() override
    {
        SharedSegment::Error error;
        const bool usable = SharedSegment::open(segmentName, HotKeyRegistry::kBytes, error) != nullptr;
        // The probe leaves no segment behind: some tests make their own under the name.
        shm_unlink(segmentName.c_str());
        ASSERT_TRUE(usable) << "no registry segment " << segmentName;
    }

    // Entries of an owner that never claimed to be alive, as a crashed process leaves them.
    void leaveEntriesOfDeadOwner(uint32_t owner, size_t count)
    {
        SharedSegment::Error error;
        auto segment = SharedSegment::open(segmentName, HotKeyRegistry::kBytes, error);
        ASSERT_TRUE(segment) << "no registry segment " << segmentName;
        HotKeyRegistry registry(*segment);
        for (size_t i = 0; i < count; ++i)
            registry.registerKey(static_cast<KyKey>(0x0300 + i), owner, static_cast<uint32_t>(i));
    }

    static EnginePlatform platform(const std::string &name, const uint32_t *windowId)
    {
        EnginePlatform p;
        p.openRegistry = [name](SharedSegment::Error &error, std::string &why) {
            return SharedSegment::open(name, HotKeyRegistry::kBytes, error, why);
        };
        p.createWindow = [windowId]() -> std::unique_ptr<MessageWindow> {
            if (*windowId == 0)
                return nullptr;
            return std::make_unique<FakeWindow>(*windowId);
        };
        p.claimOwner = [name](uint32_t owner, std::string &why) {
            return OwnerClaim::claim(name, owner, why);
        };
        p.ownerAlive = [name](uint32_t owner) { return OwnerClaim::isAlive(name, owner); };
        return p;
    }

    bool install(KyWindow notify = 0)
    {
        return engine.installHook(notify, true, true, RMIgnore, MBWindow, false);
    }

    // A macro with `events` events, made in the scrap macro as a recording would leave it.
    void recordIntoScrap(int events, uint8_t flags = 0x08)
    {
        MacroRecord &scrap = *engine.record(engine.scrap());
        scrap.flags = flags;
        scrap.ensureCapacity(static_cast<size_t>(events));
        scrap.lastIndex = events - 1;
        scrap.mouseOrigin = MBPointer;
        for (int i = 0; i < events; ++i)
            scrap.events[static_cast<size_t>(i)] = {0x100u + (i % 2), 0x41u + static_cast<uint32_t>(i),
                                                    static_cast<uint32_t>(i * 3),
                                                    static_cast<uint32_t>(1000 + i * 10), 77};
    }

    ReportCapture reports;
    std::string segmentName;
    uint32_t windowId = 0x400001;
    Engine engine;
};

} // namespace orvane::test
