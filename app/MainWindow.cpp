#include "app/MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QShowEvent>
#include <QSlider>
#include <QWheelEvent>

#include <chrono>
#include <thread>

#include "app/ControlBar.h"
#include "app/Logo.h"
#include "app/MainWindowKeyboard.h"
#include "app/MainWindowDescription.h"
#include "app/MainWindowLayout.h"
#include "app/MainWindowLook.h"
#include "app/MainWindowPainting.h"
#include "app/MainWindowTiles.h"
#include "app/ProgramContent.h"
#include "content/ContentError.h"
#include "content/MenuGroup.h"
#include "graphics/Resample.h"
#include "sound/ClipPlayer.h"
#include "toolkit/Desktop.h"
#include "toolkit/FormBuilder.h"
#include "toolkit/FramePlacement.h"
#include "toolkit/IdleSlot.h"
#include "toolkit/Panel.h"
#include "toolkit/PanelCanvas.h"
#include "toolkit/TileList.h"
#include "toolkit/WindowFrame.h"
#include "toolkit/WidgetColours.h"

namespace velmora::app {
namespace {

constexpr char kCaption[] = "Velmora w zakresie wybranych przykładów wymowy dzieci przedszkolnych (Demo)";

using look::CoreColour;
using look::Text;

}  // namespace

MainWindow::MainWindow(std::unique_ptr<LoadedContent> content, ClipPlayer& player, QWidget* parent)
    : QWidget(parent), player_(player), content_(std::move(content))
{
    controls_ = FormBuilder::Build<MainWindowControls>(*this, MainWindowDescription());
    setWindowTitle(QString::fromUtf8(kCaption));
    WidgetColours::SetBackground(*this, look::kWindow);
    controls_.demoLabel->show();
    PrepareContent();

    repeat_ = new RepeatCycle(
        RepeatCycle::Hooks{
            [this] { return centreList_ && centreList_->Selected() >= 0; },
            [this] { player_.PlayClip(CentreItem(centreList_->Selected()).ClipPath()); },
            [this] { player_.StopSound(); },
            [this] { return player_.IsSoundPlaying(); },
            [this] { return static_cast<std::int32_t>(controls_.pauseSlider->value()); },
        },
        this);

    titleCanvas_ = std::make_unique<PanelCanvas>(*controls_.titlePanel);
    titleCanvas_->SetFont(QFont(QStringLiteral("Arial")));
    PaintTitle();
    CreateLists();
    ApplyMinimumSize();
    OnResize();
    centreList_->Paint();
    SetUpControls();
    ConnectControls();
    ConnectKeyboard();
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

void MainWindow::ConnectKeyboard()
{
    keyboard_ = new MainWindowKeyboard(
        MainWindowKeyboard::Controls{
            .window = *this, .menu = *menuList_, .centre = *centreList_, .startStop = *controls_.startStopPanel,
            .pause = *controls_.pauseSlider, .volume = *controls_.volumeSlider, .help = *controls_.helpPanel, .alphabet = *controls_.alphabetPanel,
            .about = *controls_.aboutPanel, .logo = *controls_.logo, .menuScrollBar = *controls_.menuScrollBar,
            .centreScrollBar = *controls_.centreScrollBar},
        MainWindowKeyboard::Actions{
            .startStop = [this] { OnStartStopClicked(); },
            .help = [this] { OnHelpClicked(); },
            .alphabet = [this] { OnAlphabetClicked(); },
            .about = [this] { OnAboutClicked(); },
            .playItem = [this](int index) { OnCentreItemEnter(index); },
            .groupName = [this](int index) { return Text(content_->set.MenuItemAt(index)->name); },
            .itemName = [this](int index) { return Text(CentreItem(index).name); },
        },
        look::kHoverText);
}

void MainWindow::PrepareContent()
{
    try {
        soundMarker_ = content_->soundMarker.CreateTwoColourBitmap(CoreColour(Qt::white), CoreColour(look::kSoundMarkerInk));
        RebuildScaledMarker();
        tiles::PrepareMenuPictures(content_->set, static_cast<float>(devicePixelRatioF()),
                                   controls_.titlePanel->height());
    } catch (const std::exception&) {
        // The reason stays inside; the user is told that loading failed.
        soundMarker_.reset();
        scaledSoundMarker_.reset();
        throw ContentError(LoadError::BadFormat, kLoadFailedMessage);
    }
}

void MainWindow::CreateLists()
{
    menuList_ = std::make_unique<TileList>(*controls_.menuPanel, *controls_.menuScrollBar);
    menuList_->SetOnPaintItem(
        [this](QPainter& canvas, const QRect& rect, int index, bool selected) {
            painting::DrawMenuTile(canvas, rect, *content_->set.MenuItemAt(index), selected);
        });
    menuList_->SetOnClickItem([this](const QRect&, int index, bool changed, int x, int) {
        OnMenuItemClick(index, changed, x == TileList::kByKey);
    });
    menuList_->SetAutoResize(false);
    tiles::LayoutMenu(*menuList_, content_->set, controls_.menuPanel->width());

    centreList_ = std::make_unique<TileList>(*controls_.centrePanel, *controls_.centreScrollBar);
    centreList_->SetOnPaintItem(
        [this](QPainter& canvas, const QRect& rect, int index, bool selected) {
            if (!refresh_.Suspended())
                painting::DrawItemTile(canvas, rect, CentreItem(index), selected, scaledSoundMarker_.get(), Scaling());
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
    controls_.logo->setPixmap(LogoPixmap(devicePixelRatioF()));
    controls_.logo->resize(controls_.logo->pixmap().deviceIndependentSize().toSize());

    controlbar::SetUpSliders(controls_);
}

void MainWindow::ConnectControls()
{
    connect(controls_.pauseSlider, &QSlider::valueChanged, this, &MainWindow::OnPauseChanged);
    connect(controls_.volumeSlider, &QSlider::valueChanged, this, &MainWindow::OnVolumeChanged);
    controlbar::ConnectButtons(controls_, {
                                              .startStop = [this] { OnStartStopClicked(); },
                                              .help = [this] { OnHelpClicked(); },
                                              .alphabet = [this] { OnAlphabetClicked(); },
                                              .about = [this] { OnAboutClicked(); },
                                              .repeating = [this] { return repeat_->IsOn(); },
                                          });
}

void MainWindow::ReadVolumeAtStart()
{
    std::int32_t volume = 0;
    player_.ReadVolume(volume);
    if (player_.IsVolumeAvailable())
        // Moving the slider writes the volume back, so both channels end equal.
        controls_.volumeSlider->setValue(volume);
    else
        controlbar::ShowVolumeAvailable(controls_, false);
}

QColor MainWindow::WindowColour() const
{
    return look::kWindow;
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

MenuGroup* MainWindow::ShownGroup() const
{
    return shownGroup_ >= 0 ? content_->set.MenuItemAt(shownGroup_) : nullptr;
}

ContentItem& MainWindow::CentreItem(int index) const
{
    // Each tile carries the item it was laid out for.
    return *static_cast<ContentItem*>(centreList_->Item(index).data);
}

void MainWindow::Activate()
{
    if (focusWidget() == nullptr)
        controls_.menuPanel->setFocus(Qt::OtherFocusReason);
    menuList_->Select(0);
    menuList_->Paint();
    controls_.menuPanel->update();
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
    const Rect place =
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
    refresh_.Suspend();
    menuList_->UpdateScrolling();
    menuList_->Paint();
    controls_.menuPanel->update();
    LayoutCentre();
    centreList_->UpdateScrolling();
    ClearCentre();
    PaintTitle();
    controls_.titlePanel->update();
}

void MainWindow::ClearCentre()
{
    // While painting is suspended the list paints only its white background,
    // so no tile of an earlier layout lingers on the screen.
    centreList_->Paint();
    controls_.centrePanel->update();
}

void MainWindow::OnPaintRefresh()
{
    RebuildScaledMarker();
    centreList_->Paint();
    controls_.centrePanel->update();
    StartItemPreparation();
}

void MainWindow::RebuildScaledMarker()
{
    scaledSoundMarker_.reset();
    const WidthScale scale = Scaling();
    scaledSoundMarker_ = NewBitmap24(scale.ScaleDown(soundMarker_->Width()), scale.ScaleDown(soundMarker_->Height()));
    StretchBitmap(scaledSoundMarker_.get(), soundMarker_.get());
}

void MainWindow::LayoutCentre()
{
    centreList_->Clear();
    if (MenuGroup* group = ShownGroup())
        tiles::LayoutCentre(*centreList_, *group, shownGroup_, controls_.centrePanel->width(), Scaling());
}

void MainWindow::StartItemPreparation()
{
    IdleSlot::Set([this](bool& done) { PrepareItemsOnIdle(done); });
}

void MainWindow::PrepareItemsOnIdle(bool& done)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    MenuGroup* group = ShownGroup();
    if (group == nullptr) {
        IdleSlot::Clear();
        return;
    }
    if (!tiles::PrepareNextItem(*group, static_cast<float>(controls_.centrePanel->devicePixelRatioF()))) {
        IdleSlot::Clear();
        return;
    }
    centreList_->Paint();
    controls_.centrePanel->update();
    done = false;
}

// --- Drawing ---

void MainWindow::PaintTitle()
{
    QImage& image = titleCanvas_->Image();
    QPainter painter(&image);
    titleCanvas_->Begin(painter);
    painting::PaintTitle(painter, QRect(QPoint(0, 0), image.deviceIndependentSize().toSize()), ShownGroup(),
                         Scaling());
    // Screen readers read the title bar by its name.
    const MenuGroup* group = ShownGroup();
    controls_.titlePanel->setAccessibleName(group != nullptr ? Text(layout::TitleText(group->name)) : QString());
}

// --- Selection, playback, repetition, volume ---

void MainWindow::OnMenuItemClick(int index, bool changed, bool byKey)
{
    if (!changed)
        return;
    const int previousGroup = content_->set.selectedMenuItem;
    IdleSlot::Clear();
    if (MenuGroup* previous = SelectedGroup())
        previous->Prepare(Scope::Self);
    const int selected = menuList_->Selected();
    if (selected != -1)
        content_->set.MenuItemAt(selected)->PrepareTwoColour(CoreColour(Qt::black), CoreColour(look::kSelectedMenuFill),
                                                        Scope::Self);

    // The ninth tile is a heading: it lights up and hands the click on to
    // the tile after it. Its own items are never shown: while it is lit the
    // centre holds no tiles, and its picture stays until the next group's.
    // A key coming up from below hands it on to the tile above, or the
    // heading would send the selection back down for ever.
    constexpr int kHeadingTile = 8;
    if (index == kHeadingTile) {
        const int passOn = byKey && previousGroup > kHeadingTile ? kHeadingTile - 1 : kHeadingTile + 1;
        SelectGroup(selected, false);
        menuList_->Paint();
        controls_.menuPanel->repaint();
        QTimer::singleShot(kPaintRefreshMs, this, [this, passOn] {
            // A group the user chose meanwhile wins, as a click queued
            // behind the pause would.
            if (menuList_->Selected() != kHeadingTile)
                return;
            menuList_->Select(passOn);
            menuList_->ScrollIntoView(passOn);
            menuList_->Paint();
            controls_.menuPanel->update();
        });
        return;
    }
    SelectGroup(selected, true);
    refresh_.Suspend();
    ClearCentre();
    PaintTitle();
    controls_.titlePanel->update();
}

void MainWindow::SelectGroup(int selected, bool shown)
{
    content_->set.selectedMenuItem = selected;
    shownGroup_ = shown ? selected : -1;
    LayoutCentre();
    centreList_->UpdateScrolling();
}

bool MainWindow::InPlayZone(const ContentItem& item, int x, int y) const
{
    const int markerWidth = scaledSoundMarker_ ? scaledSoundMarker_->Width() : 0;
    const int markerHeight = scaledSoundMarker_ ? scaledSoundMarker_->Height() : 0;
    return layout::ItemTileGeometry(Scaling(), markerWidth, markerHeight, item.width, item.height)
        .playZone.Contains(x, y);
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
    if (controls_.centrePanel->cursor().shape() != wanted)
        controls_.centrePanel->setCursor(wanted);
}

void MainWindow::OnCentreItemEnter(int index)
{
    // As a click on its marker: the word once, unless repetition plays it.
    const ContentItem& item = CentreItem(index);
    if ((item.flags & kHasSound) != 0 && !repeat_->IsOn())
        player_.PlayClip(item.ClipPath());
}

void MainWindow::OnStartStopClicked()
{
    repeat_->Toggle();
    controlbar::ShowRepetition(controls_, repeat_->IsOn());
    if (keyboard_ != nullptr)
        keyboard_->SetStartStopName(controls_.startStopLabel->text());
}

void MainWindow::OnPauseChanged()
{
    controls_.repeatLabel->setText(QString::fromStdString(RepeatCycle::LabelText(controls_.pauseSlider->value())));
}

void MainWindow::OnVolumeChanged()
{
    if (player_.IsVolumeAvailable())
        player_.SetVolume(controls_.volumeSlider->value());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this)
    {
        tiles::ScrollByWheel(static_cast<const QWheelEvent&>(*event),
                             {*controls_.menuGroup, *menuList_, *controls_.centreGroup, *centreList_}, Scaling());
        return true;
    }
    return QWidget::eventFilter(watched, event);
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
