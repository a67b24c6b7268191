#include "app/media/recorder_session.h"

#include "app/alarms/recorded_wave.h"
#include "app/media/folder_ops.h"

namespace orvane {

std::string CutToChars(const std::string &text, std::size_t maxChars)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Continuation bytes of a UTF-8 sequence do not start a character.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue;
        if (chars == maxChars)
            return text.substr(0, i);
        ++chars;
    }
    return text;
}

RecorderSession::RecorderSession(WaveDevice &device, const std::string &programDir, std::string presetFile)
    : m_device(device), m_paths(programDir), m_fileName(std::move(presetFile))
{}

bool RecorderSession::createEmptyWave(const std::string &path)
{
    // An empty element saved as it is makes a valid wave of no length; the creation counts as
    // done when the element closes cleanly after the save.
    if (path.size() > 255)
        return false;
    m_device.close();
    if (m_device.openNew())
        return false;
    const WaveError saved = m_device.save(path);
    const WaveError closed = m_device.close();
    return !saved && !closed;
}

WaveError RecorderSession::FormShow()
{
    // A folder that cannot be made shows up as the temporary file that cannot be created.
    MakeFolderPath(m_paths.folder());
    if (!m_fileName.empty()) {
        m_openInitial = m_fileName;
        m_saveInitial = m_fileName;
        m_header = m_fileName;
    } else {
        if (!createEmptyWave(m_paths.temp()))
            return std::string(kTempFailed);
        m_fileName = m_paths.temp();
        m_header = "New Wav File";
    }
    return m_device.openFile(m_fileName);
}

WaveError RecorderSession::Record()
{
    m_device.close();
    // A stale or missing temporary file is replaced by an empty one, so that the recording
    // starts from nothing.
    if (!createEmptyWave(m_paths.temp()))
        return std::string(kTempFailed);
    m_fileName = m_paths.temp();
    if (WaveError error = m_device.openFile(m_fileName))
        return error;
    return m_device.record();
}

WaveError RecorderSession::Play() { return m_device.play(); }

WaveError RecorderSession::Stop()
{
    if (WaveError error = m_device.stop())
        return error;
    return m_device.seekToStart();
}

void RecorderSession::deleteReplaced(const std::string &replacement)
{
    if (IsRecordedWave(m_fileName) && m_fileName != replacement)
        RemoveRecordedWave(m_fileName);
}

WaveError RecorderSession::OpenPicked(const std::string &path)
{
    m_device.close();
    deleteReplaced(path);
    m_fileName = path;
    m_saveInitial = path;
    m_header = path;
    return m_device.openFile(path);
}

WaveError RecorderSession::SavePicked(const std::string &path)
{
    m_header = path;
    deleteReplaced(path);
    m_fileName = path;
    return m_device.save(path);
}

WaveError RecorderSession::RecordNew()
{
    if (IsRecordedWave(m_fileName))
        RemoveRecordedWave(m_fileName);
    const std::string previous = m_fileName;
    if (!createEmptyWave(m_paths.temp())) {
        if (!previous.empty())
            m_device.openFile(previous);
        return std::string(kTempFailed);
    }
    m_fileName = m_paths.temp();
    m_header = "New Wave File";
    m_openInitial.clear();
    m_saveInitial.clear();
    return m_device.openFile(m_fileName);
}

RecorderSession::OkResult RecorderSession::Ok()
{
    OkResult result;
    if (m_fileName.empty())
        return result; // nothing is current (the temporary file could not be made): Cancel
    if (isTempCurrent()) {
        if (m_device.lengthMs() <= 10)
            return result;
        const std::optional<int> n = m_paths.firstFreeNumber();
        if (!n) {
            // Handing back the temporary file would let the next recording overwrite it.
            result.outcome = OkOutcome::StayOpen;
            result.message = kSlotsFull;
            return result;
        }
        const std::string target = m_paths.numbered(*n);
        if (WaveError error = m_device.save(target)) {
            result.outcome = OkOutcome::StayOpen;
            result.message = *error;
            return result;
        }
        m_fileName = target;
        result.RecordingPending = true;
    }
    result.outcome = OkOutcome::Ok;
    result.RecorderFileName = CutToChars(m_fileName, kMaxFileName);
    return result;
}

void RecorderSession::Close() { m_device.close(); }

} // namespace orvane
