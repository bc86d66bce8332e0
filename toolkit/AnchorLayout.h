#pragma once

#include "toolkit/Anchor.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

namespace velmora {

// Places a parent's children by their anchors. Each child is registered with
// its design rectangle, relative to the parent's design size; on every resize
// of the parent all children are placed again from those, so rounding never
// accumulates. A child that is itself an anchoring parent and not visible yet
// (Qt holds back its resize event until it is shown) is placed through at
// once, so a whole hidden window is laid out by one resize of its top.
class AnchorLayout : public QObject {
    Q_OBJECT

public:
    // The layout of `parent`, created on first use (with `designSize`, the
    // parent's client size the design rectangles refer to) and owned by it.
    static AnchorLayout& On(QWidget& parent, QSize designSize);

    // Registers `child` and places it for the parent's current size.
    void Add(QWidget& child, const QRect& designRect, Anchors anchors);
    // Places every registered child for the parent's current size.
    void Apply();

    QSize DesignSize() const { return designSize_; }

    // Where a control designed at `designRect` in a parent of `designSize`
    // goes in a parent of `size`.
    static QRect Place(const QRect& designRect, Anchors anchors, QSize designSize, QSize size);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QPointer<QWidget> child;
        QRect designRect;
        Anchors anchors;
    };

    AnchorLayout(QWidget& parent, QSize designSize);
    void Place(const Entry& entry);

    QPointer<QWidget> parent_;
    QSize designSize_;
    std::vector<Entry> entries_;
};

}  // namespace velmora
