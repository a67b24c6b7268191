#include "app/platform/fake/fake_wave_device.h"

#include <fstream>
#include <sstream>

namespace orvane {

WaveError FakeWaveDevice::openFile(const std::string &path)
{
    m_commands.push_back("openFile " + path);
    std::ifstream in(path);
    if (!in)
        return "Cannot open the wave file " + path;
    std::string tag;
    std::int64_t length = 1000;
    if (in >> tag && tag == "FAKEWAVE")
        in >> length;
    m_path = path;
    m_length = length;
    m_position = 0;
    m_open = true;
    m_notReady = false;
    m_mode = WaveMode::Stopped;
    return std::nullopt;
}

WaveError FakeWaveDevice::openNew()
{
    m_commands.push_back("openNew");
    m_path.clear();
    m_length = 0;
    m_position = 0;
    m_open = true;
    m_notReady = false;
    m_mode = WaveMode::Stopped;
    return std::nullopt;
}

WaveError FakeWaveDevice::record()
{
    m_commands.push_back("record");
    if (!m_open)
        return "The wave device is not open.";
    endRunning();
    if (m_noCapture) {
        m_notReady = true;
        return std::string("No sound recording device is ready: no capture device");
    }
    m_length = m_position;
    m_mode = WaveMode::Recording;
    return std::nullopt;
}

WaveError FakeWaveDevice::play()
{
    m_commands.push_back("play");
    if (!m_open)
        return "The wave device is not open.";
    endRunning();
    m_notReady = false;
    if (m_position >= m_length)
        m_position = 0;
    m_mode = WaveMode::Playing;
    return std::nullopt;
}

WaveError FakeWaveDevice::stop()
{
    m_commands.push_back("stop");
    if (!m_open)
        return "The wave device is not open.";
    endRunning();
    return std::nullopt;
}

WaveError FakeWaveDevice::seekToStart()
{
    m_commands.push_back("seek");
    if (!m_open)
        return "The wave device is not open.";
    endRunning();
    m_position = 0;
    return std::nullopt;
}

WaveError FakeWaveDevice::save(const std::string &path)
{
    m_commands.push_back("save " + path);
    if (!m_open)
        return "The wave device is not open.";
    endRunning();
    if (m_failSave) {
        m_failSave = false;
        return "Cannot write file " + path;
    }
    std::ofstream out(path, std::ios::trunc);
    out << "FAKEWAVE " << m_length << "\n";
    if (!out)
        return "Cannot write file " + path;
    return std::nullopt;
}

WaveError FakeWaveDevice::close()
{
    m_commands.push_back("close");
    endRunning();
    m_open = false;
    m_notReady = false;
    m_mode = WaveMode::NotReady;
    m_length = 0;
    return std::nullopt;
}

WaveMode FakeWaveDevice::mode() const
{
    if (!m_open || m_notReady)
        return WaveMode::NotReady;
    return m_mode;
}

void FakeWaveDevice::capture(std::int64_t ms)
{
    if (m_mode == WaveMode::Recording) {
        m_length += ms;
        m_position = m_length;
    }
}

void FakeWaveDevice::finishPlaying()
{
    if (m_mode != WaveMode::Playing)
        return;
    m_position = m_length;
    m_mode = WaveMode::Stopped;
    ++m_notifications;
    if (m_notify)
        m_notify();
}

void FakeWaveDevice::endRunning()
{
    if (m_mode != WaveMode::Playing && m_mode != WaveMode::Recording)
        return;
    m_mode = WaveMode::Stopped;
    ++m_notifications;
    if (m_notify)
        m_notify();
}

} // namespace orvane
