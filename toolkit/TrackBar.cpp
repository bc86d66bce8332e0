#include "toolkit/TrackBar.h"

#include <QStyleOptionSlider>

namespace velmora {

TrackBar::TrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{}

void TrackBar::initStyleOption(QStyleOptionSlider* option) const
{
    QSlider::initStyleOption(option);
    option->rect.adjust(kChannelInset, 0, -kChannelInset, 0);
}

}  // namespace velmora
