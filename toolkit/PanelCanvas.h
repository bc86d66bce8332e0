#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QObject>
#include <QPointer>

#include <functional>

class QPainter;
class QPaintEvent;
class QWidget;

namespace velmora {

// Gives a panel a persistent off-screen picture. The owner draws into Image()
// whenever it likes and then calls update() on the panel (or a part of it);
// the panel's paint events only copy the dirty rectangles from the picture,
// with no background erase, so a repaint after an overlap costs one copy and
// never flickers.
//
// The picture is RGB32 and always the panel's size, at the screen's pixels: a resize keeps the
// overlap and fills new area with the panel's colour. The canvas sees the
// panel's events through an event filter; as the most recently installed
// filter it runs before handlers installed earlier (earlier filters, the
// panel's own resizeEvent), so these see a picture of the new size. The
// panel's own paintEvent is not called while the canvas exists; destroying the
// canvas gives the panel back its painting and background attributes.
class PanelCanvas : public QObject {
    Q_OBJECT

public:
    using Notification = std::function<void(QWidget& panel)>;

    explicit PanelCanvas(QWidget& panel);
    ~PanelCanvas() override;
    PanelCanvas(const PanelCanvas&) = delete;
    PanelCanvas& operator=(const PanelCanvas&) = delete;

    // The panel, or null once it has been destroyed.
    QWidget* Panel() const { return panel_; }

    // The picture to draw on, in the panel's coordinates; it holds the
    // screen's pixels (its device pixel ratio is the panel's). A hidden panel gets no resize events from Qt
    // until it is shown; asking for the picture delivers such a pending resize
    // first, through the panel's usual handlers, so the picture and every
    // handler agree with the panel's current size.
    QImage& Image();
    // The picture as it is, without delivering a pending resize.
    const QImage& Image() const { return image_; }

    // The canvas's font and its colour: the starting state of every painter
    // the canvas's users open on the picture (see Begin).
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font) { font_ = font; }
    const QColor& FontColour() const { return fontColour_; }
    void SetFontColour(const QColor& colour) { fontColour_ = colour; }
    // Gives `painter` (open on Image()) the canvas's font and font colour.
    void Begin(QPainter& painter) const;

    // Called on each paint event before the copy.
    void SetOnPaint(Notification handler) { onPaint_ = std::move(handler); }
    // Called when the mouse enters or leaves the panel.
    void SetOnMouseEnter(Notification handler) { onMouseEnter_ = std::move(handler); }
    void SetOnMouseLeave(Notification handler) { onMouseLeave_ = std::move(handler); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FollowPanelSize();
    void DeliverPendingResize();
    void CopyToScreen(const QPaintEvent& event);
    void Notify(const Notification& handler, const char* where);

    QPointer<QWidget> panel_;
    QImage image_;
    QFont font_;
    QColor fontColour_{Qt::black};
    bool wasOpaquePaint_ = false;
    bool hadNoSystemBackground_ = false;
    Notification onPaint_;
    Notification onMouseEnter_;
    Notification onMouseLeave_;
};

}  // namespace velmora
