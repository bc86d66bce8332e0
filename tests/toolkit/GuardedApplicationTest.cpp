#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QEvent>
#include <QTimer>

#include <functional>
#include <stdexcept>
#include <string>

#include "toolkit/GuardedApplication.h"
#include "toolkit/IdleSlot.h"

namespace velmora {
namespace {

// The program's application object, made on first use (test discovery runs
// the binary without the test environment).
GuardedApplication& Application()
{
    static int argc = 1;
    static char name[] = "velmora-guard-test";
    static char* argv[] = {name, nullptr};
    static GuardedApplication* application = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new GuardedApplication(argc, argv);
    }();
    return *application;
}

const QEvent::Type kFailingEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// An object whose handler for one event type fails.
class FailingReceiver : public QObject {
public:
    bool event(QEvent* event) override
    {
        if (event->type() == kFailingEvent)
            throw std::runtime_error("receiver failed");
        return QObject::event(event);
    }
};

// An event filter that fails on the same event type.
class FailingFilter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == kFailingEvent)
            throw std::out_of_range("filter failed");
        return false;
    }
};

TEST(GuardedApplication, AFailingHandlerIsReportedInOneLineAndTheProgramGoesOn)
{
    Application();
    struct Row {
        const char* name;
        std::function<void(QObject& context)> fail;
        const char* reported;
    };
    const Row rows[] = {
        {"sent event",
         [](QObject&) {
             FailingReceiver receiver;
             QEvent event(kFailingEvent);
             QCoreApplication::sendEvent(&receiver, &event);
         },
         "receiver failed"},
        {"posted event",
         [](QObject& context) {
             auto* receiver = new FailingReceiver;
             receiver->setParent(&context);
             QCoreApplication::postEvent(receiver, new QEvent(kFailingEvent));
         },
         "receiver failed"},
        {"event filter",
         [](QObject& context) {
             auto* filter = new FailingFilter;
             filter->setParent(&context);
             context.installEventFilter(filter);
             QCoreApplication::postEvent(&context, new QEvent(kFailingEvent));
         },
         "filter failed"},
        {"timer slot",
         [](QObject& context) { QTimer::singleShot(1, &context, [] { throw std::runtime_error("timer failed"); }); },
         "timer failed"},
        {"queued call",
         [](QObject& context) {
             QMetaObject::invokeMethod(
                 &context, [] { throw std::logic_error("queued call\nfailed"); }, Qt::QueuedConnection);
         },
         "queued call failed"},
        {"idle step", [](QObject&) { IdleSlot::Set([](bool&) { throw std::runtime_error("idle step failed"); }); },
         "idle step failed"},
        {"not a std::exception", [](QObject& context) { QTimer::singleShot(1, &context, [] { throw 42; }); },
         "unknown exception"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QObject context;
        testing::internal::CaptureStderr();
        bool wentOn = false;
        // Queued behind the failure: runs only if the loop survives it.
        QTimer::singleShot(20, &context, [&] { wentOn = true; });
        row.fail(context);
        const QDeadlineTimer deadline(5000);
        while (!wentOn && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        IdleSlot::Clear();
        const std::string output = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(wentOn);
        EXPECT_EQ(output.rfind("velmora: ", 0), 0u) << output;
        EXPECT_NE(output.find(" failed: "), std::string::npos) << output;
        EXPECT_NE(output.find(row.reported), std::string::npos) << output;
        EXPECT_EQ(output.find('\n'), output.size() - 1) << "one line: " << output;
    }
}

}  // namespace
}  // namespace velmora
