#include "toolkit/AnchorLayout.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace velmora {

namespace {

struct Span {
    std::int64_t start;
    std::int64_t length;
};

// One axis of the anchor rules. `low` and `high` say whether the near and the
// far edge are anchored.
Span PlaceSpan(Span design, bool low, bool high, std::int64_t designExtent, std::int64_t extent)
{
    const std::int64_t growth = extent - designExtent;
    if (low && high)
        return {design.start, std::max<std::int64_t>(design.length + growth, 0)};
    if (high)
        return {design.start + growth, design.length};
    if (low || designExtent <= 0)
        return design;
    // Neither edge: the centre keeps its proportion of the extent (rounded).
    const double centre = static_cast<double>(design.start + design.length / 2) * static_cast<double>(extent) /
                          static_cast<double>(designExtent);
    return {std::llround(centre) - design.length / 2, design.length};
}

int ToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, -(std::int64_t{1} << 29), std::int64_t{1} << 29));
}

}  // namespace

AnchorLayout& AnchorLayout::On(QWidget& parent, QSize designSize)
{
    if (auto* existing = parent.findChild<AnchorLayout*>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new AnchorLayout(parent, designSize);
}

AnchorLayout::AnchorLayout(QWidget& parent, QSize designSize)
    : QObject(&parent), parent_(&parent), designSize_(designSize)
{
    parent.installEventFilter(this);
}

void AnchorLayout::Add(QWidget& child, const QRect& designRect, Anchors anchors)
{
    entries_.push_back({&child, designRect, anchors});
    Place(entries_.back());
}

void AnchorLayout::Apply()
{
    // By index and by copy: a resize handler of a child may register more.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry entry = entries_[i];
        Place(entry);
    }
}

void AnchorLayout::Place(const Entry& entry)
{
    if (!entry.child || !parent_)
        return;
    entry.child->setGeometry(Place(entry.designRect, entry.anchors, designSize_, parent_->size()));
    if (entry.child->isVisible())
        return;  // its own resize event has placed its children
    if (auto* inner = entry.child->findChild<AnchorLayout*>(QString(), Qt::FindDirectChildrenOnly))
        inner->Apply();
}

QRect AnchorLayout::Place(const QRect& designRect, Anchors anchors, QSize designSize, QSize size)
{
    const Span x = PlaceSpan({designRect.x(), designRect.width()}, anchors.testFlag(Anchor::Left),
                             anchors.testFlag(Anchor::Right), designSize.width(), size.width());
    const Span y = PlaceSpan({designRect.y(), designRect.height()}, anchors.testFlag(Anchor::Top),
                             anchors.testFlag(Anchor::Bottom), designSize.height(), size.height());
    return QRect(ToInt(x.start), ToInt(y.start), ToInt(x.length), ToInt(y.length));
}

bool AnchorLayout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent_ && event->type() == QEvent::Resize)
        Apply();
    return false;
}

}  // namespace velmora
