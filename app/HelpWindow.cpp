#include "app/HelpWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShowEvent>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>

#include "app/WindowGeometry.h"
#include "content/ContentItem.h"
#include "graphics/ToneCurve.h"
#include "toolkit/BitmapImage.h"
#include "toolkit/Desktop.h"
#include "toolkit/FormBuilder.h"
#include "toolkit/FramePlacement.h"
#include "toolkit/IdleSlot.h"
#include "toolkit/Panel.h"
#include "toolkit/PanelCanvas.h"
#include "toolkit/Pressable.h"
#include "toolkit/TileList.h"
#include "toolkit/WidgetColours.h"
#include "toolkit/WindowFrame.h"
#include "toolkit/WindowKeys.h"

namespace velmora::app {
namespace {

using Kind = ControlDescription::Kind;
using Option = ControlDescription::Option;
using layout::HelpZoom;

constexpr Anchors kAll = Anchor::Left | Anchor::Top | Anchor::Right | Anchor::Bottom;

const QColor kLoadingPanel(221, 136, 132);
const QColor kUnbuiltPage(240, 240, 240);
constexpr char kLoadingText[] = "Trwa wczytywanie...";
constexpr QSize kMinimumOuterSize(590, 250);

// One row per control, as the window is described.
// clang-format off
const ControlDescription kControls[] = {
    {.name = "pageGroup", .kind = Kind::GroupBox, .rect = {4, 0, 603, 368}, .anchors = kAll},
    {.name = "pagePanel", .kind = Kind::Panel, .parent = "pageGroup", .rect = {2, 9, 577, 357}, .anchors = kAll,
     .slot = ControlSlot::Of<&HelpWindow::Controls::pagePanel>()},
    {.name = "loadingPanel", .kind = Kind::Panel, .parent = "pagePanel", .rect = {0, 338, 128, 19},
     .anchors = Anchor::Left | Anchor::Bottom, .text = kLoadingText, .background = kLoadingPanel, .bevelWidth = 1,
     .options = Option::Hidden,
     .slot = ControlSlot::Of<&HelpWindow::Controls::loadingPanel>()},
    {.name = "pageScrollBar", .kind = Kind::VerticalScrollBar, .parent = "pageGroup", .rect = {580, 8, 20, 357},
     .anchors = Anchor::Top | Anchor::Right | Anchor::Bottom,
     .slot = ControlSlot::Of<&HelpWindow::Controls::pageScrollBar>()},
    {.name = "zoomGroup", .kind = Kind::GroupBox, .rect = {4, 367, 603, 52},
     .anchors = Anchor::Left | Anchor::Right | Anchor::Bottom},
    {.name = "zoomCaption", .kind = Kind::Label, .parent = "zoomGroup", .rect = {8, 22, 124, 16},
     .text = "Powiększenie tekstu:"},
    // The magnification buttons take the width their text needs, so that
    // "100%" is not cut off in styles with larger indicators.
    {.name = "zoom50Button", .kind = Kind::RadioButton, .parent = "zoomGroup", .rect = {137, 21, 0, 17}, .text = "50%",
     .slot = ControlSlot::Of<&HelpWindow::Controls::zoom50Button>()},
    {.name = "zoom60Button", .kind = Kind::RadioButton, .parent = "zoomGroup", .rect = {193, 21, 0, 17}, .text = "60%",
     .slot = ControlSlot::Of<&HelpWindow::Controls::zoom60Button>()},
    {.name = "zoom70Button", .kind = Kind::RadioButton, .parent = "zoomGroup", .rect = {249, 21, 0, 17}, .text = "70%",
     .slot = ControlSlot::Of<&HelpWindow::Controls::zoom70Button>()},
    {.name = "zoom80Button", .kind = Kind::RadioButton, .parent = "zoomGroup", .rect = {305, 21, 0, 17}, .text = "80%",
     .slot = ControlSlot::Of<&HelpWindow::Controls::zoom80Button>()},
    {.name = "zoom90Button", .kind = Kind::RadioButton, .parent = "zoomGroup", .rect = {361, 21, 0, 17}, .text = "90%",
     .slot = ControlSlot::Of<&HelpWindow::Controls::zoom90Button>()},
    {.name = "zoom100Button", .kind = Kind::RadioButton, .parent = "zoomGroup", .rect = {417, 21, 0, 17},
     .text = "100%",
     .slot = ControlSlot::Of<&HelpWindow::Controls::zoom100Button>()},
    {.name = "contrastBox", .kind = Kind::CheckBox, .parent = "zoomGroup", .rect = {280, 36, 121, 17},
     .text = "Dodaj kontrast", .options = Option::Hidden,
     .slot = ControlSlot::Of<&HelpWindow::Controls::contrastBox>()},
    {.name = "closeButton", .kind = Kind::Button, .parent = "zoomGroup", .rect = {508, 12, 89, 33},
     .anchors = Anchor::Top | Anchor::Right, .text = "Zamknij", .font = {.family = "Arial", .height = 16},
     .slot = ControlSlot::Of<&HelpWindow::Controls::closeButton>()},
};

const WindowDescription kDescription{
    .clientSize = {610, 421},
    .font = {.family = "Arial", .height = 13},
    .controls = kControls,
};
// clang-format on

std::size_t ZoomIndex(HelpZoom zoom)
{
    return static_cast<std::size_t>(zoom);
}

}  // namespace

HelpWindow::HelpWindow(ContentItem& helpPages, const QColor& colour, QWidget& mainWindow)
    : QDialog(&mainWindow), helpPages_(helpPages), mainWindow_(mainWindow)
{
    TakeControls(FormBuilder::Build<Controls>(*this, kDescription));
    setWindowTitle(QString::fromUtf8(kCaption));
    WidgetColours::SetBackground(*this, colour);

    pageList_ = std::make_unique<TileList>(*pagePanel_, *scrollBar_);
    pageList_->SetAutoResize(false);
    pageList_->Canvas().SetFont(font());
    pageList_->SetOnPaintItem(
        [this](QPainter& canvas, const QRect& rect, int index, bool) { DrawPage(canvas, rect, index); });

    ConnectControls();
    ApplyMinimumSize();
    ApplyWorkAreaWidth(Desktop::WorkArea(&mainWindow).width());
    loadFrom_ = 0;
    qApp->installEventFilter(this);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::TakeControls(const HelpWindow::Controls& controls)
{
    pagePanel_ = controls.pagePanel;
    loadingPanel_ = controls.loadingPanel;
    scrollBar_ = controls.pageScrollBar;
    contrastBox_ = controls.contrastBox;
    closeButton_ = controls.closeButton;
    zoomButtons_ = {controls.zoom50Button, controls.zoom60Button, controls.zoom70Button,
                    controls.zoom80Button, controls.zoom90Button, controls.zoom100Button};
}

void HelpWindow::ConnectControls()
{
    // The contrast option is on and hidden: the tone curve always applies.
    contrastBox_->setChecked(true);
    connect(contrastBox_, &QCheckBox::toggled, this, &HelpWindow::OnContrastClicked);
    for (QRadioButton* button : zoomButtons_) {
        connect(button, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                OnZoomClicked();
        });
    }
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    closeButton_->setAutoDefault(false);
    Pressable::MakeButton(*closeButton_, Qt::blue);
    // The style's own frame around a radio button's text marks its focus.
    for (QRadioButton* button : zoomButtons_)
        Pressable::MakeButton(*button, QColor());
    // Tab order: the close button first, then the magnifications from 70%
    // up and the two small ones last.
    QWidget* order[] = {closeButton_,    zoomButtons_[2], zoomButtons_[3], zoomButtons_[4],
                        zoomButtons_[5], zoomButtons_[1], zoomButtons_[0], contrastBox_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    closeButton_->setFocus();
    ConnectKeys();
}

void HelpWindow::ConnectKeys()
{
    // The arrows scroll wherever the focus is, the magnification buttons'
    // own arrow keys included; a line is a wheel step, a page the view,
    // Home and End the ends.
    const auto line = [this] { return layout::HelpWheelStep(columnWidth_); };
    const auto page = [this] { return std::max(pagePanel_->height(), 1); };
    WindowKeys::Add(*this, {Qt::Key_Down}, [this, line] { pageList_->ScrollBy(line()); });
    WindowKeys::Add(*this, {Qt::Key_Up}, [this, line] { pageList_->ScrollBy(-line()); });
    WindowKeys::Add(*this, {Qt::Key_PageDown}, [this, page] { pageList_->ScrollBy(page()); });
    WindowKeys::Add(*this, {Qt::Key_PageUp}, [this, page] { pageList_->ScrollBy(-page()); });
    WindowKeys::Add(*this, {Qt::Key_Home}, [this] { pageList_->ScrollBy(INT32_MIN / 2); });
    WindowKeys::Add(*this, {Qt::Key_End}, [this] { pageList_->ScrollBy(INT32_MAX / 2); });
    WindowKeys::Add(*this, {QKeySequence::ZoomIn, Qt::CTRL | Qt::Key_Equal}, [this] { StepZoom(+1); });
    WindowKeys::Add(*this, {QKeySequence::ZoomOut}, [this] { StepZoom(-1); });
}

void HelpWindow::StepZoom(int direction)
{
    // The next magnification that can be chosen, past a disabled one.
    for (int i = static_cast<int>(Zoom()) + direction; i >= 0 && i < static_cast<int>(zoomButtons_.size());
         i += direction) {
        if (zoomButtons_[static_cast<std::size_t>(i)]->isEnabled()) {
            SetZoom(static_cast<HelpZoom>(i));
            return;
        }
    }
}

void HelpWindow::ApplyWorkAreaWidth(int workAreaWidth)
{
    const layout::HelpZoomChoice choice = layout::InitialHelpZoom(workAreaWidth);
    sideMargin_ = choice.sideMargin;
    zoomButtons_[ZoomIndex(HelpZoom::Percent100)]->setEnabled(choice.fullSizeEnabled);
    SetZoom(choice.zoom);
}

HelpZoom HelpWindow::Zoom() const
{
    // The largest checked one wins, and 50% when none is checked.
    for (std::size_t i = zoomButtons_.size(); i-- > 0;) {
        if (zoomButtons_[i]->isChecked())
            return static_cast<HelpZoom>(i);
    }
    return HelpZoom::Percent50;
}

void HelpWindow::SetZoom(HelpZoom zoom)
{
    QRadioButton* button = zoomButtons_[ZoomIndex(zoom)];
    if (button->isChecked())
        OnZoomClicked();
    else
        button->setChecked(true);
}

bool HelpWindow::ZoomEnabled(HelpZoom zoom) const
{
    return zoomButtons_[ZoomIndex(zoom)]->isEnabled();
}

QWidget& HelpWindow::LoadingPanel() const
{
    return *loadingPanel_;
}

QWidget& HelpWindow::PagePanel() const
{
    return *pagePanel_;
}

int HelpWindow::PageCount() const
{
    return helpPages_.ChildCount();
}

ContentItem& HelpWindow::Page(int index) const
{
    return *helpPages_.ChildAt(index);
}

// --- Layout ---

void HelpWindow::LayoutPages()
{
    helpPages_.SetScale(Scope::Tree, layout::HelpZoomFactor(Zoom()));
    // With no page there is no column: the window shows its empty margins.
    columnWidth_ = PageCount() > 0 ? Page(0).width : 0;

    const std::int32_t position = pageList_->ScrollPos();
    const std::int32_t oldHeight = pageList_->ContentHeight();

    std::vector<layout::HelpPageExtent> pages;
    pages.reserve(static_cast<std::size_t>(PageCount()));
    for (const auto& page : helpPages_.children)
        pages.push_back({page->value, page->height});
    const std::vector<Rect> tiles = layout::HelpPageTiles(pages, pagePanel_->width(), topMargin_);

    pageList_->Clear();
    pageList_->SetCount(static_cast<int>(tiles.size()));
    for (int i = 0; i < static_cast<int>(tiles.size()); ++i) {
        const Rect& tile = tiles[static_cast<std::size_t>(i)];
        pageList_->Item(i) = TileList::Tile{tile.left, tile.top, tile.width, tile.height, nullptr};
    }
    pageList_->CalcContentHeight();
    pageList_->ScrollTo(layout::KeepRelativeScroll(position, oldHeight, pageList_->ContentHeight()));
}

void HelpWindow::OnFormResize()
{
    LayoutPages();
    pageList_->UpdateScrolling();
    if (isVisible())
        SchedulePaint();
}

void HelpWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (pageList_)
        OnFormResize();
}

void HelpWindow::OnZoomClicked()
{
    if (pageList_)
        OnFormResize();
}

void HelpWindow::OnContrastClicked()
{
    helpPages_.Invalidate(Scope::Tree);
    OnFormResize();
}

void HelpWindow::ApplyMinimumSize()
{
    setMinimumSize(ClientSize(kMinimumOuterSize, WindowFrame::Of(*this)));
}

void HelpWindow::SizeForFirstShowing()
{
    const QMargins frame = WindowFrame::Of(*this);
    const QRect main = mainWindow_.frameGeometry();
    const int outerHeight = main.height() - 10;
    const int outerWidth = 2 * sideMargin_ + columnWidth_ + (size().grownBy(frame).width() - pagePanel_->width());
    const QRect area = Desktop::WorkArea(&mainWindow_);
    // The work area's left edge is not added: the window is centred on the
    // work area's width as if it started at the screen's edge.
    const QRect outer((area.width() - outerWidth) / 2, main.top() + 5, outerWidth, outerHeight);
    ApplyMinimumSize();
    const QRect client = FramedClientRect(outer, frame, area, kMinimumOuterSize);
    ResizeNow(*this, client.size());
    setGeometry(client);
}

// --- Showing ---

void HelpWindow::ShowHelp(const std::string& key)
{
    PrepareToShow(key);
    exec();
}

void HelpWindow::PrepareToShow(const std::string& key)
{
    LayoutPages();
    if (!sizedOnce_) {
        SizeForFirstShowing();
        sizedOnce_ = true;
    }
    loadFrom_ = 0;
    pageList_->ScrollTo(0);
    for (int i = 0; i < PageCount(); ++i) {
        const ContentItem& page = Page(i);
        if (page.name != key)
            continue;
        const std::int64_t gapTop = std::int64_t{pageList_->Item(i + 1).top} - page.value;
        pageList_->ScrollTo(static_cast<int>(std::clamp<std::int64_t>(gapTop, 0, INT32_MAX)));
        loadFrom_ = i - 1;
    }
    pageList_->UpdateScrolling();
    pageList_->Paint();
    pagePanel_->update();
}

void HelpWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        StartPageLoader();
}

void HelpWindow::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    // The redraw that was pending will not come; left suspended, the next
    // showing would draw no page at all.
    refresh_.Cancel();
}

// --- Delayed drawing and the idle-time builder ---

void HelpWindow::SchedulePaint()
{
    refresh_.Suspend();
}

void HelpWindow::OnPaintRefresh()
{
    pageList_->Paint();
    pagePanel_->update();
    StartPageLoader();
}

void HelpWindow::StartPageLoader()
{
    // The slot may outlive the window (the main window installs its own
    // handler only when the modal showing returns).
    IdleSlot::Set([window = QPointer<HelpWindow>(this)](bool& done) {
        if (window)
            window->BuildPagesOnIdle(done);
        else
            IdleSlot::Clear();
    });
}

void HelpWindow::BuildPagesOnIdle(bool& done)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    int i = loadFrom_ > 0 ? loadFrom_ : 0;
    // A page without a picture is never built; passing over it keeps the
    // builder from trying the same page for ever.
    while (i < PageCount() && (Page(i).prepared || (Page(i).flags & kHasPicture) == 0))
        ++i;
    if (i >= PageCount()) {
        if (loadFrom_ > 0) {
            loadFrom_ = 0;
            done = false;
            return;
        }
        IdleSlot::Clear();
        loadingPanel_->hide();
        return;
    }
    if (loadingPanel_->isHidden()) {
        loadingPanel_->show();
        // Let the panel appear before the work starts.
        QCoreApplication::processEvents();
    }
    ContentItem& page = Page(i);
    page.pixelRatio = static_cast<float>(pagePanel_->devicePixelRatioF());
    page.Prepare(Scope::Tree);
    page.ConvertBitmapToGrey(Scope::Tree);
    if (contrastBox_->isChecked()) {
        const std::int32_t amount = layout::HelpToneCurveAmount(Zoom());
        if (amount > 0)
            ApplyToneCurve(page.bitmap.get(), amount);
    }
    pageList_->Paint();
    pagePanel_->update();
    done = false;
}

void HelpWindow::DrawPage(QPainter& canvas, const QRect& rect, int index)
{
    if (refresh_.Suspended())
        return;
    const int i = index - 1;
    if (i < 0 || i >= PageCount())
        return;
    const ContentItem& page = Page(i);
    const int x = std::max((pagePanel_->width() - columnWidth_) / 2, sideMargin_);
    const int y = rect.top();
    const QRect area(x, y, page.width, page.height);
    if (page.bitmap != nullptr && !page.bitmap->Empty()) {
        // Prepared at the screen's pixels, or stale and stretched.
        canvas.drawImage(area, BitmapImage::View(*page.bitmap));
        return;
    }
    if (page.bitmap != nullptr)
        return;
    canvas.fillRect(area, kUnbuiltPage);
    canvas.setBackgroundMode(Qt::OpaqueMode);
    canvas.setBackground(kUnbuiltPage);
    canvas.drawText(QRect(x + 20, y + 20, std::max(page.width - 20, 0), std::max(page.height - 20, 0)),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, QString::fromUtf8(kLoadingText));
}

// --- The mouse wheel ---

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
        const QPoint angle = static_cast<const QWheelEvent&>(*event).angleDelta();
        OnWheel(angle.y() != 0 ? angle.y() : angle.x());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void HelpWindow::OnWheel(int verticalDelta)
{
    // One step per notification, whatever the size of the turn.
    const std::int32_t step = layout::HelpWheelStep(columnWidth_);
    pageList_->ScrollBy(verticalDelta < 0 ? step : -step);
}

}  // namespace velmora::app
