#pragma once

#include <QFrame>
#include <QString>

#include <functional>

namespace velmora {

// A plain panel: a frame with an optional raised bevel, an optional caption
// drawn centred, and a resize handler slot (a PanelCanvas or TileList on the
// panel runs its own resize handling before it).
class Panel : public QFrame {
    Q_OBJECT

public:
    explicit Panel(QWidget* parent = nullptr);

    // Called after each size change, with the new size already in place.
    void SetOnResize(std::function<void()> handler) { onResize_ = std::move(handler); }

    // 0 removes the bevel; otherwise a raised bevel of that many pixels.
    void SetBevelWidth(int width);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::function<void()> onResize_;
    QString caption_;
};

}  // namespace velmora
