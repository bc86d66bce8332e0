#pragma once

#include <QEventLoop>
#include <QMetaObject>

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <exception>
#include <future>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <type_traits>
#include <utility>

namespace velmora {

// Work that runs on a thread of its own from the moment it is made, which may
// be before the application object exists, so that it goes on while the
// toolkit starts. Wait() runs an event loop until the work is done, so that
// the caller's windows stay painted and answer the window system meanwhile,
// and returns its result or rethrows what it threw. The work must touch
// nothing the event loop's handlers use. A result never waited for is waited
// for, without an event loop, when the object goes.
template <class Result>
class BackgroundWork {
public:
    template <class Work>
    explicit BackgroundWork(Work work) : result_(promise_.get_future())
    {
        auto task = std::make_shared<Work>(std::move(work));
        try {
            thread_ = std::thread([this, task] {
                YieldToUserInterface();
                Run(*task);
            });
        } catch (const std::system_error&) {
            // No thread to be had: the work is done here and now instead.
            Run(*task);
        }
    }
    ~BackgroundWork()
    {
        if (thread_.joinable())
            thread_.join();
    }
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    Result Wait()
    {
        {
            QEventLoop loop;
            std::unique_lock lock(mutex_);
            if (!done_) {
                waiting_ = &loop;
                lock.unlock();
                loop.exec();
                lock.lock();
                waiting_ = nullptr;
            }
        }
        // Not joinable when no thread could be had and the work ran here.
        if (thread_.joinable())
            thread_.join();
        return result_.get();
    }

private:
    // The work, and the threads it starts, run at a lower priority than the
    // user-interface thread (ten steps nicer than the program): on a machine
    // with few cores, a window being painted goes first, and the work has
    // whatever is left.
    static void YieldToUserInterface()
    {
#ifdef __linux__
        constexpr int kNicer = 10;
        constexpr int kNicest = 19;
        const auto thread = static_cast<id_t>(::gettid());
        errno = 0;
        const int nice = ::getpriority(PRIO_PROCESS, thread);
        if (errno == 0)
            ::setpriority(PRIO_PROCESS, thread, std::min(nice + kNicer, kNicest));
#endif
    }

    template <class Work>
    void Run(Work& work)
    {
        try {
            if constexpr (std::is_void_v<Result>) {
                work();
                promise_.set_value();
            } else {
                promise_.set_value(work());
            }
        } catch (...) {
            promise_.set_exception(std::current_exception());
        }
        std::lock_guard lock(mutex_);
        done_ = true;
        // Queued: seen by the loop once it runs, even if it has not started yet.
        if (waiting_ != nullptr)
            QMetaObject::invokeMethod(waiting_, &QEventLoop::quit, Qt::QueuedConnection);
    }

    std::promise<Result> promise_;
    std::future<Result> result_;
    std::mutex mutex_;
    bool done_ = false;
    QEventLoop* waiting_ = nullptr;
    std::thread thread_;
};

template <class Work>
BackgroundWork(Work) -> BackgroundWork<std::invoke_result_t<Work&>>;

}  // namespace velmora
