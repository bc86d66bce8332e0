#pragma once

#include <QEventLoop>
#include <QMetaObject>

#include <future>
#include <thread>
#include <utility>

namespace velmora {

// Runs `work` on a thread of its own while the calling thread runs an event
// loop, so that its windows stay painted and answer the window system; returns
// when the work is done, with its result, or rethrows what it threw. The work
// must touch nothing the event loop's handlers use.
template <class Work>
auto RunOffThread(Work work) -> decltype(work())
{
    std::packaged_task<decltype(work())()> task(std::move(work));
    auto result = task.get_future();
    QEventLoop loop;
    std::thread worker([&task, &loop] {
        task();
        // Queued: seen by the loop once it runs, even if the work ends first.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    return result.get();
}

}  // namespace velmora
