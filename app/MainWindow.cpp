#include "app/MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QShowEvent>
#include <QSlider>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>
#include <thread>

#include "app/Logo.h"
#include "app/MainWindowDescription.h"
#include "app/MainWindowLayout.h"
#include "app/ProgramContent.h"
#include "content/ContentError.h"
#include "content/MenuGroup.h"
#include "core/TextEncoding.h"
#include "graphics/Resample.h"
#include "sound/ClipPlayer.h"
#include "toolkit/BitmapImage.h"
#include "toolkit/Desktop.h"
#include "toolkit/FontHeight.h"
#include "toolkit/FormBuilder.h"
#include "toolkit/FramePlacement.h"
#include "toolkit/IdleSlot.h"
#include "toolkit/MouseNotifier.h"
#include "toolkit/Panel.h"
#include "toolkit/PanelCanvas.h"
#include "toolkit/TileList.h"
#include "toolkit/WindowFrame.h"
#include "toolkit/WidgetColours.h"

namespace velmora::app {
namespace {

const QColor kWindowColour(0xE7, 0xEC, 0xF1);
const QColor kSelectedMenuFill(0xC2, 0xDC, 0xEB);
const QColor kSelectedItemFrame(0xC9, 0xC7, 0xE7);
const QColor kNoPictureFill(0xF0, 0xF0, 0xF0);
const QColor kItemText(0x00, 0x00, 0x50);
const QColor kTitleShadow(0xC0, 0xC0, 0xC0);
const QColor kButtonText(0x50, 0x50, 0x50);
const QColor kHoverText(0x00, 0x00, 0xFF);
const QColor kHoverPanel = kSelectedMenuFill;
const QColor kRepeatOnPanel(0xDB, 0xA8, 0xAD);
const QColor kSoundMarkerInk(0xB9, 0xA7, 0x84);

constexpr char kCaption[] = "Velmora w zakresie wybranych przykładów wymowy dzieci przedszkolnych (Demo)";

constexpr float kMenuPictureScale = 0.36f;
constexpr float kTitlePictureScale = 0.6f;
constexpr int kMenuFontCellHeight = 15;
constexpr int kTitleFontCellHeight = 21;
constexpr int kTitleEntryFontCellHeight = 18;

// A colour as the core's renderers take it: red in the low byte.
Colour CoreColour(const QColor& colour)
{
    return static_cast<Colour>(colour.red()) | static_cast<Colour>(colour.green()) << 8 |
           static_cast<Colour>(colour.blue()) << 16;
}

QString Text(const std::string& contentText)
{
    return QString::fromStdString(Cp1250ToUtf8(contentText));
}

QFont ArialWithCellHeight(int cellHeight, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setBold(bold);
    return FontHeight::WithCellHeight(font, cellHeight);
}

// A one-pixel outline of the rectangle left <= x < right, top <= y < bottom.
void Outline(QPainter& painter, int left, int top, int right, int bottom, const QColor& colour)
{
    if (right <= left || bottom <= top)
        return;
    painter.fillRect(left, top, right - left, 1, colour);
    painter.fillRect(left, bottom - 1, right - left, 1, colour);
    painter.fillRect(left, top, 1, bottom - top, colour);
    painter.fillRect(right - 1, top, 1, bottom - top, colour);
}

// Text whose top-left corner is at (x, y), in the painter's font.
void DrawTextAt(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

void DrawBitmap(QPainter& painter, int x, int y, const Bitmap* bitmap)
{
    if (bitmap != nullptr && !bitmap->Empty())
        painter.drawImage(QPoint(x, y), BitmapImage::View(*bitmap));
}

int WidthOf(const Bitmap* bitmap)
{
    return bitmap != nullptr ? bitmap->Width() : 0;
}

}  // namespace

MainWindow::MainWindow(std::unique_ptr<LoadedContent> content, ClipPlayer& player, QWidget* parent)
    : QWidget(parent), player_(player), content_(std::move(content))
{
    FormBuilder::Build(*this, MainWindowDescription());
    FindControls();
    setWindowTitle(QString::fromUtf8(kCaption));
    WidgetColours::SetBackground(*this, kWindowColour);
    demoLabel_->show();
    PrepareContent();

    paintRefreshTimer_.setInterval(kPaintRefreshMs);
    connect(&paintRefreshTimer_, &QTimer::timeout, this, &MainWindow::OnPaintRefresh);
    repeat_ = new RepeatCycle(
        RepeatCycle::Hooks{
            [this] { return SelectedGroup() != nullptr && centreList_ && centreList_->Selected() >= 0; },
            [this] { player_.PlayClip(CentreItem(centreList_->Selected()).ClipPath()); },
            [this] { player_.StopSound(); },
            [this] { return player_.IsSoundPlaying(); },
            [this] { return static_cast<std::int32_t>(pauseSlider_->value()); },
        },
        this);

    titleCanvas_ = std::make_unique<PanelCanvas>(*titlePanel_);
    titleCanvas_->SetFont(QFont(QStringLiteral("Arial")));
    PaintTitle();
    CreateLists();
    ApplyMinimumSize();
    OnResize();
    centreList_->Paint();
    SetUpControls();
    ConnectControls();
    OnPauseChanged();
    ReadVolumeAtStart();
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    IdleSlot::Clear();
    soundMarker_.reset();
    scaledSoundMarker_.reset();
    menuList_.reset();
    centreList_.reset();
    titleCanvas_.reset();
}

void MainWindow::FindControls()
{
    logo_ = &FormBuilder::Find<QLabel>(*this, "logo");
    demoLabel_ = &FormBuilder::Find<QLabel>(*this, "demoLabel");
    centreGroup_ = &FormBuilder::Find<QWidget>(*this, "centreGroup");
    titlePanel_ = &FormBuilder::Find<Panel>(*this, "titlePanel");
    centrePanel_ = &FormBuilder::Find<Panel>(*this, "centrePanel");
    centreScrollBar_ = &FormBuilder::Find<QScrollBar>(*this, "centreScrollBar");
    menuGroup_ = &FormBuilder::Find<QWidget>(*this, "menuGroup");
    menuPanel_ = &FormBuilder::Find<Panel>(*this, "menuPanel");
    menuScrollBar_ = &FormBuilder::Find<QScrollBar>(*this, "menuScrollBar");
    repeatLabel_ = &FormBuilder::Find<QLabel>(*this, "repeatLabel");
    startStopPanel_ = &FormBuilder::Find<Panel>(*this, "startStopPanel");
    startStopLabel_ = &FormBuilder::Find<QLabel>(*this, "startStopLabel");
    pauseSlider_ = &FormBuilder::Find<QSlider>(*this, "pauseSlider");
    volumeSlider_ = &FormBuilder::Find<QSlider>(*this, "volumeSlider");
    volumeLabels_ = {&FormBuilder::Find<QLabel>(*this, "volumeCaption"),
                     &FormBuilder::Find<QLabel>(*this, "volumeMinLabel"),
                     &FormBuilder::Find<QLabel>(*this, "volumeMaxLabel")};
    helpPanel_ = &FormBuilder::Find<Panel>(*this, "helpPanel");
    helpLabels_ = {&FormBuilder::Find<QLabel>(*this, "helpMarkLabel"),
                   &FormBuilder::Find<QLabel>(*this, "helpInfoLabel"),
                   &FormBuilder::Find<QLabel>(*this, "helpMoreLabel")};
    alphabetPanel_ = &FormBuilder::Find<Panel>(*this, "alphabetPanel");
    alphabetLabel_ = &FormBuilder::Find<QLabel>(*this, "alphabetLabel");
    aboutPanel_ = &FormBuilder::Find<Panel>(*this, "aboutPanel");
    aboutLabel_ = &FormBuilder::Find<QLabel>(*this, "aboutLabel");
}

void MainWindow::PrepareContent()
{
    try {
        soundMarker_ = content_->soundMarker.CreateTwoColourBitmap(CoreColour(Qt::white), CoreColour(kSoundMarkerInk));
        RebuildScaledMarker();
        PrepareMenuPictures();
    } catch (const std::exception&) {
        // The reason stays inside; the user is told that loading failed.
        soundMarker_.reset();
        scaledSoundMarker_.reset();
        throw ContentError(LoadError::BadFormat, kLoadFailedMessage);
    }
}

void MainWindow::CreateLists()
{
    menuList_ = std::make_unique<TileList>(*menuPanel_, *menuScrollBar_);
    menuList_->SetOnPaintItem(
        [this](QPainter& canvas, const QRect& rect, int index, bool selected) {
            DrawMenuItem(canvas, rect, index, selected);
        });
    menuList_->SetOnClickItem([this](const QRect&, int index, bool changed, int, int) {
        OnMenuItemClick(index, changed);
    });
    menuList_->SetAutoResize(false);
    LayoutMenu();

    centreList_ = std::make_unique<TileList>(*centrePanel_, *centreScrollBar_);
    centreList_->SetOnPaintItem(
        [this](QPainter& canvas, const QRect& rect, int index, bool selected) {
            DrawCentreItem(canvas, rect, index, selected);
        });
    centreList_->SetOnClickItem([this](const QRect&, int index, bool changed, int x, int y) {
        OnCentreItemClick(index, changed, x, y);
    });
    centreList_->SetOnMoveItem([this](const QRect&, int index, int x, int y) { OnCentreItemMouseMove(index, x, y); });
    centreList_->SetAutoResize(false);
    centreList_->Canvas().SetFont(QFont(QStringLiteral("Arial")));
}

void MainWindow::SetUpControls()
{
    logo_->setPixmap(QPixmap::fromImage(Logo()));
    logo_->resize(logo_->pixmap().size());

    pauseSlider_->setRange(0, 20);
    pauseSlider_->setTickInterval(2);
    pauseSlider_->setTickPosition(QSlider::TicksBothSides);
    pauseSlider_->setValue(5);

    volumeSlider_->setRange(0, 100);
    volumeSlider_->setSingleStep(2);
    volumeSlider_->setPageStep(10);
    volumeSlider_->setTickInterval(10);
    volumeSlider_->setTickPosition(QSlider::TicksAbove);
    volumeSlider_->setValue(0);
}

void MainWindow::ConnectControls()
{
    connect(pauseSlider_, &QSlider::valueChanged, this, &MainWindow::OnPauseChanged);
    connect(volumeSlider_, &QSlider::valueChanged, this, &MainWindow::OnVolumeChanged);

    MouseNotifier& startStop = MouseNotifier::On(*startStopLabel_);
    startStop.SetOnClick([this] { OnStartStopClicked(); });
    startStop.SetOnMouseEnter([this] {
        WidgetColours::SetBackground(*startStopPanel_, repeat_->IsOn() ? kRepeatOnPanel : kHoverPanel);
        WidgetColours::SetText(*startStopLabel_, kHoverText);
    });
    startStop.SetOnMouseLeave([this] {
        WidgetColours::SetBackground(*startStopPanel_, repeat_->IsOn() ? kRepeatOnPanel : kWindowColour);
        WidgetColours::SetText(*startStopLabel_, kButtonText);
    });

    for (QLabel* label : helpLabels_) {
        MouseNotifier& notifier = MouseNotifier::On(*label);
        notifier.SetOnClick([this] { OnHelpClicked(); });
        notifier.SetOnMouseEnter([this] {
            SetHover(*helpPanel_, {helpLabels_[0], helpLabels_[1], helpLabels_[2]}, true);
        });
        notifier.SetOnMouseLeave([this] {
            SetHover(*helpPanel_, {helpLabels_[0], helpLabels_[1], helpLabels_[2]}, false);
        });
    }
    MouseNotifier::On(*titlePanel_).SetOnClick([this] { OnHelpClicked(); });
    MouseNotifier::On(*logo_).SetOnClick([this] { OnAboutClicked(); });

    const auto labelButton = [this](QLabel& label, Panel& panel, std::function<void()> onClick) {
        MouseNotifier& notifier = MouseNotifier::On(label);
        notifier.SetOnClick(std::move(onClick));
        notifier.SetOnMouseEnter([this, &label, &panel] { SetHover(panel, {&label}, true); });
        notifier.SetOnMouseLeave([this, &label, &panel] { SetHover(panel, {&label}, false); });
    };
    labelButton(*alphabetLabel_, *alphabetPanel_, [this] { OnAlphabetClicked(); });
    labelButton(*aboutLabel_, *aboutPanel_, [this] { OnAboutClicked(); });
}

void MainWindow::ReadVolumeAtStart()
{
    std::int32_t volume = 0;
    player_.ReadVolume(volume);
    if (player_.IsVolumeAvailable()) {
        // Moving the slider writes the volume back, so both channels end equal.
        volumeSlider_->setValue(volume);
        return;
    }
    volumeSlider_->setEnabled(false);
    for (QLabel* label : volumeLabels_)
        label->setEnabled(false);
}

QColor MainWindow::WindowColour() const
{
    return kWindowColour;
}

WidthScale MainWindow::Scaling() const
{
    // The frame as it will be, also before the window manager has put it on.
    return WidthScale(width() + frame_.left() + frame_.right());
}

MenuGroup* MainWindow::SelectedGroup() const
{
    const std::int32_t selected = content_->set.selectedMenuItem;
    if (selected < 0 || selected >= content_->set.MenuItemCount())
        return nullptr;
    return content_->set.MenuItemAt(selected);
}

ContentItem& MainWindow::CentreItem(int index) const
{
    MenuGroup* group = SelectedGroup();
    if (group == nullptr)
        throw std::out_of_range("no group is selected");
    return *group->ChildAt(index);
}

void MainWindow::Activate()
{
    menuList_->Select(0);
    menuList_->Paint();
    menuPanel_->update();
}

// --- Showing, resizing and the delayed redraw ---

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    frame_ = WindowFrame::Of(*this);
    ApplyMinimumSize();
    if (splash_) {
        // The splash stays in front until it goes.
        splash_->raise();
        QTimer::singleShot(kSplashDelayMs, this, [this] {
            delete splash_.data();
            splash_ = nullptr;
        });
    }
    PlaceOnDesktop();
    // No window manager reliably tells a window it became active inside the
    // program, so the window activates itself once it is on the screen.
    QTimer::singleShot(0, this, &MainWindow::Activate);
}

void MainWindow::PlaceOnDesktop()
{
    const QRect area = Desktop::WorkArea(this);
    const layout::Rect place =
        layout::MainWindowPlacement({area.left(), area.top(), area.width(), area.height()});
    setGeometry(FramedClientRect({place.left, place.top, place.width, place.height}, frame_, area,
                                 {layout::kMinimumWidth, layout::kMinimumHeight}));
}

void MainWindow::ApplyMinimumSize()
{
    setMinimumSize(ClientSize({layout::kMinimumWidth, layout::kMinimumHeight}, frame_));
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (centreList_)
        OnResize();
}

void MainWindow::OnResize()
{
    SuspendPaint();
    menuList_->UpdateScrolling();
    menuList_->Paint();
    menuPanel_->update();
    LayoutCentre();
    centreList_->UpdateScrolling();
    ClearCentre();
    PaintTitle();
    titlePanel_->update();
}

void MainWindow::ClearCentre()
{
    // While painting is suspended the list paints only its white background,
    // so no tile of an earlier layout lingers on the screen.
    centreList_->Paint();
    centrePanel_->update();
}

void MainWindow::SuspendPaint()
{
    paintSuspended_ = true;
    paintRefreshTimer_.start();
}

void MainWindow::OnPaintRefresh()
{
    paintSuspended_ = false;
    RebuildScaledMarker();
    paintRefreshTimer_.stop();
    centreList_->Paint();
    centrePanel_->update();
    StartItemPreparation();
}

void MainWindow::RebuildScaledMarker()
{
    scaledSoundMarker_.reset();
    const WidthScale scale = Scaling();
    scaledSoundMarker_ = NewBitmap24(scale.ScaleDown(soundMarker_->Width()), scale.ScaleDown(soundMarker_->Height()));
    StretchBitmap(scaledSoundMarker_.get(), soundMarker_.get());
}

void MainWindow::PrepareMenuPictures()
{
    const Colour black = CoreColour(Qt::black);
    const Colour window = CoreColour(kWindowColour);
    for (const auto& group : content_->set.menuItems) {
        if ((group->flags & kHasPicture) != 0) {
            group->SetScale(Scope::Self, kMenuPictureScale);
            group->Prepare(Scope::Self);
            group->title.SetScale(Scope::Self, kTitlePictureScale);
            group->title.PrepareTwoColour(black, window, Scope::Self);
        }
        group->title.SetScale(Scope::Children, kTitlePictureScale);
        group->title.PrepareTwoColour(black, window, Scope::Children);
    }
}

void MainWindow::LayoutMenu()
{
    menuList_->Clear();
    menuList_->Canvas().SetFont(ArialWithCellHeight(kMenuFontCellHeight));
    std::vector<bool> indented;
    indented.reserve(content_->set.menuItems.size());
    for (const auto& group : content_->set.menuItems)
        indented.push_back((group->flags & kIndented) != 0);
    const std::vector<TileRect> tiles = layout::MenuTiles(indented, menuPanel_->width());
    menuList_->SetCount(static_cast<int>(tiles.size()));
    for (int i = 0; i < static_cast<int>(tiles.size()); ++i) {
        const TileRect& rect = tiles[static_cast<std::size_t>(i)];
        menuList_->Item(i) = TileList::Tile{rect.left, rect.top, rect.width, rect.height,
                                            content_->set.menuItems[static_cast<std::size_t>(i)].get()};
    }
}

void MainWindow::LayoutCentre()
{
    centreList_->Clear();
    MenuGroup* group = SelectedGroup();
    if (group == nullptr)
        return;
    const WidthScale scale = Scaling();
    group->SetScale(Scope::Children, scale.ItemScale());
    std::int32_t maxHeight = 0;
    for (const auto& item : group->children)
        maxHeight = std::max(maxHeight, item->height);

    const std::int32_t fontHeight = scale.Scale(50);
    centreList_->Canvas().SetFont(ArialWithCellHeight(fontHeight));
    centreList_->Canvas().SetFontColour(kItemText);
    const std::int32_t tileHeight = fontHeight + maxHeight + scale.Scale(18);

    const int count = group->ChildCount();
    centreList_->SetCount(count);
    for (int i = 0; i < count; ++i) {
        const TileRect rect = layout::CentreTile(content_->set.selectedMenuItem, i, centrePanel_->width(), tileHeight);
        centreList_->Item(i) = TileList::Tile{rect.left, rect.top, rect.width, rect.height, group->ChildAt(i)};
    }
}

void MainWindow::StartItemPreparation()
{
    IdleSlot::Set([this](bool& done) { PrepareItemsOnIdle(done); });
}

void MainWindow::PrepareItemsOnIdle(bool& done)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    MenuGroup* group = SelectedGroup();
    if (group == nullptr) {
        IdleSlot::Clear();
        return;
    }
    // Items without a picture are never prepared; passing over them keeps
    // the search from finding the same item for ever.
    const auto pending = std::find_if(group->children.begin(), group->children.end(), [](const auto& item) {
        return (item->flags & kHasPicture) != 0 && !item->prepared;
    });
    if (pending == group->children.end()) {
        IdleSlot::Clear();
        return;
    }
    (*pending)->Prepare(Scope::Tree);
    centreList_->Paint();
    centrePanel_->update();
    done = false;
}

// --- Drawing ---

void MainWindow::PaintTitle()
{
    QImage& image = titleCanvas_->Image();
    QPainter painter(&image);
    titleCanvas_->Begin(painter);
    painter.fillRect(image.rect(), kWindowColour);
    const MenuGroup* group = SelectedGroup();
    if (group == nullptr)
        return;

    const QString text = Text(layout::TitleText(group->name));
    painter.setFont(ArialWithCellHeight(kTitleFontCellHeight, true));
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    painter.setPen(kTitleShadow);
    painter.drawText(image.rect().translated(2, 2), flags, text);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), flags, text);

    if ((group->flags & kHasPicture) != 0)
        DrawBitmap(painter, (image.width() - WidthOf(group->title.bitmap.get())) / 2, 44, group->title.bitmap.get());

    if (group->title.ChildCount() == 0)
        return;
    painter.setFont(ArialWithCellHeight(kTitleEntryFontCellHeight));
    const QFontMetrics metrics = painter.fontMetrics();
    const ContentItem& first = *group->title.ChildAt(0);
    const QString firstName = Text(first.name);
    DrawTextAt(painter, 8, 46, firstName);
    int x = 8 + metrics.horizontalAdvance(firstName) + 8;
    DrawBitmap(painter, x, 44, first.bitmap.get());
    x = x + 3 * Scaling().ScaleDown(60) + WidthOf(first.bitmap.get()) - 80;
    if (group->title.ChildCount() < 2)
        return;
    const ContentItem& second = *group->title.ChildAt(1);
    const QString secondName = Text(second.name);
    DrawTextAt(painter, x, 46, secondName);
    DrawBitmap(painter, x + metrics.horizontalAdvance(secondName) + 8, 44, second.bitmap.get());
}

void MainWindow::DrawMenuItem(QPainter& canvas, const QRect& rect, int index, bool selected)
{
    const int left = rect.x();
    const int top = rect.y();
    const int right = rect.x() + rect.width();
    const int bottom = rect.y() + rect.height();
    if (selected)
        canvas.fillRect(rect, kSelectedMenuFill);
    const MenuGroup& group = *content_->set.MenuItemAt(index);
    if ((group.flags & kHasPicture) != 0 && group.bitmap) {
        DrawBitmap(canvas, left + (rect.width() - group.bitmap->Width()) / 2,
                   top + (rect.height() - group.bitmap->Height()) / 2, group.bitmap.get());
    } else {
        canvas.drawText(QRect(left, top + 3, rect.width(), rect.height() - 5),
                        Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, Text(group.name));
    }
    if (left > 0)
        Outline(canvas, left, top, left + 2, bottom, kWindowColour);
    Outline(canvas, left, top, right, top + 1, kWindowColour);
    Outline(canvas, left, bottom - 1, right, bottom, kWindowColour);
}

void MainWindow::DrawCentreItem(QPainter& canvas, const QRect& rect, int index, bool selected)
{
    if (paintSuspended_)
        return;
    const ContentItem& item = CentreItem(index);
    const int left = rect.x();
    const int top = rect.y();
    const int right = rect.x() + rect.width();
    const int bottom = rect.y() + rect.height();
    if (selected) {
        for (int i = 1; i <= 3; ++i)
            Outline(canvas, left + i, top + i, right - i, bottom - i, kSelectedItemFrame);
    }
    Outline(canvas, left, top, right, bottom, kWindowColour);

    const WidthScale scale = Scaling();
    DrawTextAt(canvas, left + scale.Scale(80), top + scale.Scale(5), Text(item.name));
    const int px = left + scale.Scale(75);
    const int py = top + scale.Scale(50) + scale.Scale(10);
    if ((item.flags & kHasSound) != 0)
        DrawBitmap(canvas, px - scale.ScaleDown(60), py + scale.Scale(10), scaledSoundMarker_.get());
    const QRect pictureRect(px, py, item.width, item.height);
    if (!item.bitmap) {
        canvas.fillRect(pictureRect, kNoPictureFill);
    } else if (item.prepared) {
        DrawBitmap(canvas, px, py, item.bitmap.get());
    } else if (!item.bitmap->Empty()) {
        // A picture from an earlier size, shown stretched until it is prepared again.
        canvas.drawImage(pictureRect, BitmapImage::View(*item.bitmap));
    }
}

// --- Selection, playback, repetition, volume ---

void MainWindow::OnMenuItemClick(int index, bool changed)
{
    if (!changed)
        return;
    IdleSlot::Clear();
    if (MenuGroup* previous = SelectedGroup())
        previous->Prepare(Scope::Self);
    const int selected = menuList_->Selected();
    if (selected != -1)
        content_->set.MenuItemAt(selected)->PrepareTwoColour(CoreColour(Qt::black), CoreColour(kSelectedMenuFill),
                                                        Scope::Self);
    content_->set.selectedMenuItem = selected;

    // The ninth tile is a heading: it lights up and hands the click on to
    // the tile after it.
    constexpr int kHeadingTile = 8;
    if (index == kHeadingTile) {
        menuList_->Paint();
        menuPanel_->repaint();
        QTimer::singleShot(kPaintRefreshMs, this, [this] {
            // A group the user chose meanwhile wins, as a click queued
            // behind the pause would.
            if (menuList_->Selected() != kHeadingTile)
                return;
            menuList_->Select(kHeadingTile + 1);
            menuList_->Paint();
            menuPanel_->update();
        });
        return;
    }
    LayoutCentre();
    centreList_->UpdateScrolling();
    SuspendPaint();
    ClearCentre();
    PaintTitle();
    titlePanel_->update();
}

bool MainWindow::InPlayZone(const ContentItem& item, int x, int y) const
{
    const WidthScale scale = Scaling();
    const int markerLeft = scale.Scale(75) - scale.ScaleDown(60);
    const int markerTop = scale.Scale(50) + scale.Scale(10) + scale.Scale(10);
    const int markerWidth = scaledSoundMarker_ ? scaledSoundMarker_->Width() : 0;
    const int markerHeight = scaledSoundMarker_ ? scaledSoundMarker_->Height() : 0;
    return layout::ItemPlayZone(markerLeft, markerTop, markerWidth, markerHeight, item.width).Contains(x, y);
}

void MainWindow::OnCentreItemClick(int index, bool changed, int x, int y)
{
    if (index == -1)
        return;
    const ContentItem& item = CentreItem(index);
    if ((item.flags & kHasSound) == 0)
        return;
    if (!repeat_->IsOn() && InPlayZone(item, x, y))
        player_.PlayClip(item.ClipPath());
    if (changed)
        repeat_->Apply();
}

void MainWindow::OnCentreItemMouseMove(int index, int x, int y)
{
    if (index == -1 || (CentreItem(index).flags & kHasSound) == 0)
        return;
    const Qt::CursorShape wanted =
        !repeat_->IsOn() && InPlayZone(CentreItem(index), x, y) ? Qt::PointingHandCursor : Qt::ArrowCursor;
    if (centrePanel_->cursor().shape() != wanted)
        centrePanel_->setCursor(wanted);
}

void MainWindow::OnStartStopClicked()
{
    repeat_->Toggle();
    startStopLabel_->setText(repeat_->IsOn() ? QStringLiteral("Stop") : QStringLiteral("Start"));
    WidgetColours::SetBackground(*startStopPanel_, repeat_->IsOn() ? kRepeatOnPanel : kWindowColour);
}

void MainWindow::OnPauseChanged()
{
    repeatLabel_->setText(QString::fromStdString(layout::RepeatLabelText(pauseSlider_->value())));
}

void MainWindow::OnVolumeChanged()
{
    if (player_.IsVolumeAvailable())
        player_.SetVolume(volumeSlider_->value());
}

void MainWindow::SetHover(QWidget& panel, std::initializer_list<QLabel*> labels, bool entered)
{
    for (QLabel* label : labels)
        WidgetColours::SetText(*label, entered ? kHoverText : kButtonText);
    WidgetColours::SetBackground(panel, entered ? kHoverPanel : kWindowColour);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this)
        return OnWheel(static_cast<const QWheelEvent&>(*event));
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::OnWheel(const QWheelEvent& event)
{
    const QPoint pointer = event.globalPosition().toPoint();
    const auto onScreen = [](const QWidget& widget) {
        return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size());
    };
    const QPoint angle = event.angleDelta();
    const bool towardsUser = (angle.y() != 0 ? angle.y() : angle.x()) < 0;
    const WidthScale scale = Scaling();
    // One step per notification, whatever the size of the turn.
    if (onScreen(*menuGroup_).contains(pointer))
        menuList_->ScrollBy(towardsUser ? scale.Scale(30) : -scale.Scale(30));
    else if (onScreen(*centreGroup_).contains(pointer))
        centreList_->ScrollBy(towardsUser ? scale.Scale(50) : -scale.Scale(50));
    return true;
}

// --- The secondary windows ---

void MainWindow::OnHelpClicked()
{
    const MenuGroup* group = SelectedGroup();
    if (secondary_.showHelp)
        secondary_.showHelp(group != nullptr ? group->fileName : std::string());
    // The help window took the idle slot while it was open.
    StartItemPreparation();
    Activate();
}

void MainWindow::OnAboutClicked()
{
    if (secondary_.showAbout)
        secondary_.showAbout();
    Activate();
}

void MainWindow::OnAlphabetClicked()
{
    if (secondary_.showAlphabet)
        secondary_.showAlphabet();
    Activate();
}

}  // namespace velmora::app
