#pragma once

#include "kyloom32.h"

#include <deque>
#include <mutex>

namespace orvane {

// Notifications for the host, in order, with an eventfd the host's event loop can watch. The
// queue is bounded: a host that never reads loses the oldest notifications, not its memory.
class NotificationQueue {
public:
    static constexpr size_t kLimit = 4096;

    NotificationQueue();
    ~NotificationQueue();
    NotificationQueue(const NotificationQueue &) = delete;
    NotificationQueue &operator=(const NotificationQueue &) = delete;

    int descriptor() const { return m_fd; }
    void post(const KyNotification &notification);
    bool take(KyNotification &out);
    size_t size() const;

private:
    void signal();
    void drain();

    mutable std::mutex m_mutex;
    std::deque<KyNotification> m_queue;
    int m_fd;
};

} // namespace orvane
