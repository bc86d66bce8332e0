#pragma once

#include <QLabel>

namespace velmora {

// A label that stands for a link: a class of its own so that screen readers
// get it from the toolkit's accessible factory (see Pressable) rather than
// as Qt's static text.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;
};

}  // namespace velmora
