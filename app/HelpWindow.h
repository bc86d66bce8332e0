#pragma once

#include <QDialog>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "app/HelpWindowLayout.h"
#include "toolkit/DeferredRefresh.h"

class QCheckBox;
class QPainter;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace velmora {
class ContentItem;
class Panel;
class TileList;
}  // namespace velmora

namespace velmora::app {

// The help window: the help pages as one scrolled column of page pictures at
// a choice of six magnifications. Page pictures are built in idle time, one
// per idle call, so the window opens at once; a page not built yet shows as a
// grey box, a page whose size changed shows its old picture stretched until
// it is built again. The window reads the pages of the content it is given
// and keeps their built pictures between showings; closing only hides it.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // The controls the window works with, as the form builder hands them over.
    struct Controls {
        Panel* pagePanel = nullptr;
        Panel* loadingPanel = nullptr;
        QScrollBar* pageScrollBar = nullptr;
        QRadioButton* zoom50Button = nullptr;
        QRadioButton* zoom60Button = nullptr;
        QRadioButton* zoom70Button = nullptr;
        QRadioButton* zoom80Button = nullptr;
        QRadioButton* zoom90Button = nullptr;
        QRadioButton* zoom100Button = nullptr;
        QCheckBox* contrastBox = nullptr;
        QPushButton* closeButton = nullptr;
    };

    static constexpr char kCaption[] = "Velmora Demo - Pomoc";
    static constexpr int kPaintRefreshMs = 150;

    // `helpPages` is the content's help-page item (its children are the
    // pages); `mainWindow` is the parent and the reference for the first
    // showing's size and place.
    HelpWindow(ContentItem& helpPages, const QColor& colour, QWidget& mainWindow);
    ~HelpWindow() override;

    // Shows the window modally, scrolled to the gap above the last page whose
    // key equals `key` (the top when none does); returns when it closes.
    void ShowHelp(const std::string& key);
    // Everything ShowHelp does before the modal showing.
    void PrepareToShow(const std::string& key);

    // The starting magnification and margins for a work area this wide; the
    // window applies this to itself when it is built.
    void ApplyWorkAreaWidth(int workAreaWidth);

    // One step of the idle-time page builder: builds the next page that is
    // not current and redraws, asking to be called again at once; removes
    // itself from the idle slot when every page is current.
    void BuildPagesOnIdle(bool& done);

    layout::HelpZoom Zoom() const;
    // Checks the radio button of `zoom`, as a click on it does.
    void SetZoom(layout::HelpZoom zoom);
    bool ZoomEnabled(layout::HelpZoom zoom) const;
    // Checks the next larger (+1) or smaller (-1) magnification that is
    // enabled, as Ctrl and + or - do; nothing past the ends.
    void StepZoom(int direction);

    TileList& PageList() { return *pageList_; }
    int ColumnWidth() const { return columnWidth_; }
    int SideMargin() const { return sideMargin_; }
    int LoadFrom() const { return loadFrom_; }
    bool PaintSuspended() const { return refresh_.Suspended(); }
    QWidget& LoadingPanel() const;
    QWidget& PagePanel() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TakeControls(const Controls& controls);
    void ConnectControls();
    void ConnectKeys();
    void LayoutPages();
    void OnFormResize();
    void OnZoomClicked();
    void OnContrastClicked();
    void OnPaintRefresh();
    void OnWheel(int verticalDelta);
    void SchedulePaint();
    void StartPageLoader();
    void SizeForFirstShowing();
    void ApplyMinimumSize();
    void DrawPage(QPainter& canvas, const QRect& rect, int index);
    int PageCount() const;
    ContentItem& Page(int index) const;

    ContentItem& helpPages_;
    QWidget& mainWindow_;
    std::unique_ptr<TileList> pageList_;
    DeferredRefresh refresh_{kPaintRefreshMs, [this] { OnPaintRefresh(); }};
    std::int32_t topMargin_ = layout::kHelpTopMargin;
    std::int32_t sideMargin_ = 30;
    std::int32_t columnWidth_ = 0;
    std::int32_t loadFrom_ = 0;
    bool sizedOnce_ = false;

    Panel* pagePanel_ = nullptr;
    Panel* loadingPanel_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    QCheckBox* contrastBox_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    std::array<QRadioButton*, 6> zoomButtons_{};
};

}  // namespace velmora::app
