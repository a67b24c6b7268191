#include "core/notification_queue.h"

#include <sys/eventfd.h>
#include <unistd.h>

namespace orvane {

NotificationQueue::NotificationQueue() : m_fd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

NotificationQueue::~NotificationQueue()
{
    if (m_fd >= 0)
        close(m_fd);
}

void NotificationQueue::signal()
{
    const uint64_t one = 1;
    if (m_fd >= 0 && write(m_fd, &one, sizeof one) < 0) {
        // The counter only overflows after 2^64 - 1 unread signals; readability is what counts.
    }
}

void NotificationQueue::drain()
{
    uint64_t count = 0;
    if (m_fd >= 0 && read(m_fd, &count, sizeof count) < 0) {
        // EAGAIN: nothing was signalled, which is the state wanted.
    }
}

void NotificationQueue::post(const KyNotification &notification)
{
    std::lock_guard lock(m_mutex);
    if (m_queue.size() >= kLimit)
        m_queue.pop_front();
    m_queue.push_back(notification);
    signal();
}

bool NotificationQueue::take(KyNotification &out)
{
    std::lock_guard lock(m_mutex);
    if (m_queue.empty()) {
        drain();
        return false;
    }
    out = m_queue.front();
    m_queue.pop_front();
    if (m_queue.empty())
        drain();
    return true;
}

size_t NotificationQueue::size() const
{
    std::lock_guard lock(m_mutex);
    return m_queue.size();
}

} // namespace orvane
