#include "toolkit/GuardedApplication.h"

#include <QEvent>
#include <QMetaEnum>

#include <string>

#include "toolkit/GuardedCall.h"

namespace velmora {
namespace {

// "MouseButtonPress event for velmora::Panel": enough to find the handler
// that failed.
std::string Describe(const QMetaObject* receiverClass, QEvent::Type type)
{
    const char* typeName = QMetaEnum::fromType<QEvent::Type>().valueToKey(type);
    std::string text = typeName != nullptr ? typeName : "type " + std::to_string(static_cast<int>(type));
    text += " event for ";
    text += receiverClass != nullptr ? receiverClass->className() : "no receiver";
    return text;
}

}  // namespace

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv)
{}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    // Read before the call: the handler may delete the receiver and then fail.
    const QMetaObject* receiverClass = receiver != nullptr ? receiver->metaObject() : nullptr;
    const QEvent::Type type = event->type();
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        try {
            ReportCurrentException(Describe(receiverClass, type).c_str());
        } catch (...) {
            ReportCurrentException("an event handler");
        }
    }
    return false;
}

}  // namespace velmora
