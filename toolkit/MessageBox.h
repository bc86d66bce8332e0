#pragma once

#include <QString>

class QWidget;

namespace velmora {

// A modal message box with one OK button. With an owner it is modal to the
// owner's window and centred on it; without one, to the whole application.
class MessageBox {
public:
    enum class Icon : unsigned char { None, Information, Warning, Error, Question };

    static void Show(QWidget* owner, const QString& text, const QString& caption, Icon icon);
};

}  // namespace velmora
