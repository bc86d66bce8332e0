#include "toolkit/MessageBox.h"

#include <QMessageBox>

namespace velmora {

namespace {

QMessageBox::Icon QtIcon(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Icon::None: return QMessageBox::NoIcon;
    case MessageBox::Icon::Information: return QMessageBox::Information;
    case MessageBox::Icon::Warning: return QMessageBox::Warning;
    case MessageBox::Icon::Error: return QMessageBox::Critical;
    case MessageBox::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void MessageBox::Show(QWidget* owner, const QString& text, const QString& caption, Icon icon)
{
    QMessageBox box(QtIcon(icon), caption, text, QMessageBox::Ok, owner);
    box.exec();
}

}  // namespace velmora
