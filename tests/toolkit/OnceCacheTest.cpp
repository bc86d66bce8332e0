#include <gtest/gtest.h>

#include "toolkit/OnceCache.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace velmora {
namespace {

using namespace std::chrono_literals;

// Computations that hold on until the test lets them go, counting how many
// were started.
class HeldComputations {
public:
    auto For(int key)
    {
        return [this, key] {
            std::unique_lock lock(mutex_);
            ++started_;
            changed_.notify_all();
            changed_.wait(lock, [this] { return released_; });
            return key * 10;
        };
    }
    // Waits, at most `limit`, until `count` computations have started.
    void AwaitStarted(int count, std::chrono::milliseconds limit)
    {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, limit, [this, count] { return started_ >= count; });
    }
    void Release()
    {
        const std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }
    int Started()
    {
        const std::lock_guard lock(mutex_);
        return started_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int started_ = 0;
    bool released_ = false;
};

TEST(OnceCache, AKeyAskedForWhileBeingComputedIsWaitedForNotComputedAgain)
{
    struct Row {
        int firstKey;
        int secondKey;
        int computations;
    };
    const Row rows[] = {{1, 1, 1}, {1, 2, 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.firstKey << " then " << row.secondKey);
        OnceCache<int, int> cache;
        HeldComputations held;
        int first = 0;
        int second = 0;
        std::thread firstAsker([&] { first = cache.Get(row.firstKey, held.For(row.firstKey)); });
        held.AwaitStarted(1, 5s);
        std::thread secondAsker([&] { second = cache.Get(row.secondKey, held.For(row.secondKey)); });
        // Long enough for a second computation, were one wrongly started.
        held.AwaitStarted(2, 300ms);
        held.Release();
        firstAsker.join();
        secondAsker.join();
        EXPECT_EQ(held.Started(), row.computations);
        EXPECT_EQ(first, row.firstKey * 10);
        EXPECT_EQ(second, row.secondKey * 10);
        EXPECT_EQ(cache.Get(row.secondKey, [] { return -1; }), row.secondKey * 10) << "kept";
    }
}

}  // namespace
}  // namespace velmora
