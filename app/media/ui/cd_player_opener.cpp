#include "app/media/ui/cd_player_opener.h"

#include "app/media/ui/cd_player.h"

#include <stdexcept>

namespace orvane {

TCDPlayerOpener::TCDPlayerOpener(CDDevice &device, TCDFlags &flags, const Clock &clock,
                                 std::function<void(const std::string &)> report, std::string databasePath)
    : m_device(device), m_flags(flags), m_clock(clock), m_report(std::move(report)),
      m_database(std::move(databasePath))
{
    // The device may call from its own thread; the call is queued to this object, which lives
    // as long as the device does, and reaches whichever window is open then.
    m_device.setNotifyHandler([this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_window)
                    m_window->MediaPlayer1Notify();
                else
                    m_device.takeNotification();
            },
            Qt::QueuedConnection);
    });
}

TCDPlayerOpener::~TCDPlayerOpener()
{
    m_device.setNotifyHandler({});
    delete m_window.data();
}

void TCDPlayerOpener::open()
{
    if (m_flags.CDWindowOpen && m_window) {
        showAndRestore();
        return;
    }
    for (int attempt = 1; attempt <= kCreateAttempts; ++attempt) {
        try {
            create();
            return;
        } catch (const std::exception &e) {
            if (attempt == kCreateAttempts && m_report)
                m_report(e.what());
        }
    }
}

CDPlayerHooks TCDPlayerOpener::hooks()
{
    return CDPlayerHooks{[this] { showAndRestore(); }, [this] { create(); }};
}

void TCDPlayerOpener::showAndRestore()
{
    if (!m_window)
        return;
    m_window->show();
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->raise();
    m_window->activateWindow();
}

void TCDPlayerOpener::create()
{
    if (m_window) {
        // One window at most: a window still closing is replaced only once it is gone.
        showAndRestore();
        return;
    }
    std::string error;
    TCDPlayer *window =
        TCDPlayer::create(CDPlayerServices{m_device, m_database, m_state, m_flags, m_clock, m_report}, error);
    if (!window)
        throw std::runtime_error(error.empty() ? std::string("The CD device cannot be opened.") : error);
    m_window = window;
    window->show();
}

} // namespace orvane
