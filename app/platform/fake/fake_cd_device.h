#pragma once
// A CD device for tests: the same transport as the real device, with time moved on by the test
// instead of an audio thread. Discs are built from track lengths in seconds; a test may put a
// disc in, take it out, make open() fail, and read back every command the player sent.
#include "app/platform/cd_device.h"
#include "app/platform/cd_transport.h"

#include <functional>
#include <string>
#include <vector>

namespace orvane {

class FakeCDDevice : public CDDevice {
public:
    // A disc whose tracks last the given seconds, back to back from sector 0; `dataTracks`
    // lists the (1-based) tracks that hold data instead of audio.
    static CDTableOfContents disc(const std::vector<int> &trackSeconds,
                                  const std::vector<int> &dataTracks = {});

    // The disc in the drive (taken at the next open(), or at once when open).
    void insertDisc(CDTableOfContents toc);
    void removeDisc();
    // The next open() calls fail with this text (empty: succeed).
    void failOpens(int count, std::string error);
    // Lets the disc play on for `frames` sectors (1/75 s each), skipping data tracks.
    void playFrames(int32_t frames);
    // Plays on until the current play ends (at most `limit` frames).
    void playToEnd(int32_t limit = 1000000);
    int opens() const { return m_opens; }
    const std::vector<std::string> &commands() const { return m_commands; }
    void clearCommands() { m_commands.clear(); }
    CDTransport &transport() { return m_transport; }

    std::optional<std::string> open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    CDMode mode() override { return m_open ? m_transport.mode() : CDMode::NotReady; }
    std::string notReadyReason() const override { return {}; }
    uint32_t position() override { return m_transport.position(); }
    int numberOfTracks() override { return m_transport.toc().count(); }
    uint32_t discLength() override { return m_transport.toc().discLengthMsf(); }
    uint32_t trackLength(int track) override { return m_transport.toc().trackLengthMsf(track); }
    uint32_t trackStart(int track) override { return m_transport.toc().trackStartTmsf(track); }
    void play(std::optional<uint32_t> from, std::optional<uint32_t> to) override;
    void pause() override;
    void resume() override;
    void stop() override;
    void seekToStart() override;
    void seek(uint32_t tmsf) override;
    void next() override;
    void previous() override;
    void eject() override;
    bool takeNotification() override { return m_transport.takeNotification(); }
    void setNotifyHandler(std::function<void()> handler) override { m_handler = std::move(handler); }

private:
    void log(std::string command);

    CDTransport m_transport;
    CDTableOfContents m_disc;
    bool m_open = false;
    bool m_doorOpen = false;
    int m_opens = 0;
    int m_failures = 0;
    std::string m_failure;
    std::vector<std::string> m_commands;
    std::function<void()> m_handler;
};

} // namespace orvane
