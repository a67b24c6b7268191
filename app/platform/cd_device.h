#pragma once
// An audio CD device with the operations the CD player drives: the disc's table of contents,
// positions in the TMSF form (track in the lowest byte, then minutes, seconds and frames),
// lengths in the packed MSF form (minutes in the lowest byte), play from/to with a notification
// when the play reaches its end, and the transport commands.
//
// No disc (no drive, no image, an unreadable image, an open door) is a mode, not an error:
// only a device that cannot be opened at all makes open() fail.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orvane {

enum class CDMode { NotReady, Stopped, Playing, Recording, Seeking, Paused, Open };

class CDDevice {
public:
    virtual ~CDDevice() = default;

    // Opens the device with the TMSF time format; an error text when it cannot be opened.
    virtual std::optional<std::string> open() = 0;
    // Stops playing and lets the device go; mode() is NotReady until open() again.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual CDMode mode() = 0;
    // Why the device is not ready (a malformed CUE sheet, a missing BIN file); empty otherwise.
    virtual std::string notReadyReason() const = 0;
    // The position heard now, TMSF.
    virtual uint32_t position() = 0;
    virtual int numberOfTracks() = 0;
    // Packed MSF lengths, the values the disc database identifies a disc by.
    virtual uint32_t discLength() = 0;
    virtual uint32_t trackLength(int track) = 0;
    // The start of a track, TMSF.
    virtual uint32_t trackStart(int track) = 0;

    // Plays from `from` (the current position when empty) to `to` (the end of the disc when
    // empty), both TMSF. A play that reaches its end raises a notification.
    virtual void play(std::optional<uint32_t> from, std::optional<uint32_t> to) = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    virtual void stop() = 0;
    virtual void seekToStart() = 0;
    virtual void seek(uint32_t tmsf) = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
    // Opens the door; on an open door it closes it again, loading the disc (or image) anew.
    virtual void eject() = 0;

    // True once per play that reached its end since the last call.
    virtual bool takeNotification() = 0;
    // Called (from any thread) when a notification is raised; the receiver calls
    // takeNotification() on its own thread. An empty function removes the handler.
    virtual void setNotifyHandler(std::function<void()> handler) = 0;
};

} // namespace orvane
