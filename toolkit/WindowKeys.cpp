#include "toolkit/WindowKeys.h"

#include "toolkit/GuardedCall.h"

#include <QShortcut>
#include <QWidget>

namespace velmora {

void WindowKeys::Add(QWidget& window, std::initializer_list<QKeySequence> keys, std::function<void()> action)
{
    for (const QKeySequence& key : keys) {
        auto* shortcut = new QShortcut(key, &window);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        shortcut->setAutoRepeat(true);
        QObject::connect(shortcut, &QShortcut::activated, &window, [action] { CallGuarded("window key", action); });
    }
}

}  // namespace velmora
