#include "core/notification_queue.h"

#include <gtest/gtest.h>

#include <poll.h>

namespace orvane {
namespace {

bool readable(const NotificationQueue &queue)
{
    pollfd pfd{queue.descriptor(), POLLIN, 0};
    return poll(&pfd, 1, 0) == 1;
}

TEST(NotificationQueue, DeliversInOrderAndGoesQuietWhenDrained)
{
    NotificationQueue queue;
    ASSERT_GE(queue.descriptor(), 0);
    EXPECT_FALSE(readable(queue));
    queue.post({1534, 9, 0, 0});
    queue.post({1539, 9, 6, 0});
    EXPECT_TRUE(readable(queue));
    KyNotification n{};
    ASSERT_TRUE(queue.take(n));
    EXPECT_EQ(n.message, 1534u);
    EXPECT_TRUE(readable(queue)) << "one still waits";
    ASSERT_TRUE(queue.take(n));
    EXPECT_EQ(n.message, 1539u);
    EXPECT_EQ(n.wParam, 6u);
    EXPECT_FALSE(readable(queue));
    EXPECT_FALSE(queue.take(n));
}

TEST(NotificationQueue, HostThatNeverReadsLosesOldestNotMemory)
{
    NotificationQueue queue;
    for (uint32_t i = 0; i < NotificationQueue::kLimit + 10; ++i)
        queue.post({1540, 1, 0, i});
    EXPECT_EQ(queue.size(), NotificationQueue::kLimit);
    KyNotification n{};
    ASSERT_TRUE(queue.take(n));
    EXPECT_EQ(n.lParam, 10u);
}

} // namespace
} // namespace orvane
