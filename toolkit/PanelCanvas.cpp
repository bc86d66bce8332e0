#include "toolkit/PanelCanvas.h"

#include "toolkit/GuardedCall.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWidget>

namespace velmora {

PanelCanvas::PanelCanvas(QWidget& panel) : panel_(&panel), font_(panel.font())
{
    wasOpaquePaint_ = panel.testAttribute(Qt::WA_OpaquePaintEvent);
    hadNoSystemBackground_ = panel.testAttribute(Qt::WA_NoSystemBackground);
    panel.setAttribute(Qt::WA_OpaquePaintEvent);
    panel.setAttribute(Qt::WA_NoSystemBackground);
    panel.installEventFilter(this);
    FollowPanelSize();
}

PanelCanvas::~PanelCanvas()
{
    if (!panel_)
        return;
    panel_->removeEventFilter(this);
    panel_->setAttribute(Qt::WA_OpaquePaintEvent, wasOpaquePaint_);
    panel_->setAttribute(Qt::WA_NoSystemBackground, hadNoSystemBackground_);
    panel_->update();
}

QImage& PanelCanvas::Image()
{
    DeliverPendingResize();
    return image_;
}

void PanelCanvas::Begin(QPainter& painter) const
{
    painter.setFont(font_);
    painter.setPen(fontColour_);
}

void PanelCanvas::DeliverPendingResize()
{
    if (!panel_ || !panel_->testAttribute(Qt::WA_PendingResizeEvent))
        return;
    // What Qt itself sends when the panel is shown; clearing the flag first
    // keeps Qt from sending it a second time then.
    panel_->setAttribute(Qt::WA_PendingResizeEvent, false);
    QResizeEvent resize(panel_->size(), image_.size());
    QCoreApplication::sendEvent(panel_, &resize);
    FollowPanelSize();
}

void PanelCanvas::FollowPanelSize()
{
    if (!panel_)
        return;
    // At the screen's own pixels: text and pictures drawn through a painter
    // in the panel's coordinates come out at the device's resolution.
    const qreal ratio = panel_->devicePixelRatioF();
    const QSize size = panel_->size() * ratio;
    if (image_.size() == size && image_.devicePixelRatio() == ratio)
        return;
    QImage resized(size, QImage::Format_RGB32);
    if (resized.isNull()) {
        image_ = QImage();
        return;
    }
    resized.setDevicePixelRatio(ratio);
    resized.fill(panel_->palette().color(panel_->backgroundRole()));
    if (!image_.isNull()) {
        QPainter painter(&resized);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, image_);
    }
    image_ = std::move(resized);
}

void PanelCanvas::CopyToScreen(const QPaintEvent& event)
{
    FollowPanelSize();
    QPainter painter(panel_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const qreal ratio = image_.devicePixelRatio();
    for (const QRect& dirty : event.region())
        painter.drawImage(dirty, image_, QRectF(QPointF(dirty.topLeft()) * ratio, QSizeF(dirty.size()) * ratio));
}

void PanelCanvas::Notify(const Notification& handler, const char* where)
{
    if (handler)
        CallGuarded(where, [&] { handler(*panel_); });
}

bool PanelCanvas::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != panel_)
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        Notify(onPaint_, "panel paint handler");
        CopyToScreen(*static_cast<QPaintEvent*>(event));
        return true;
    case QEvent::Resize: FollowPanelSize(); return false;
    case QEvent::Enter: Notify(onMouseEnter_, "panel mouse-enter handler"); return false;
    case QEvent::Leave: Notify(onMouseLeave_, "panel mouse-leave handler"); return false;
    default: return false;
    }
}

}  // namespace velmora
