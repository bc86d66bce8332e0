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
#include "app/ItemTileActions.h"
#include "app/Logo.h"
#include "app/MainWindowDescription.h"
#include "app/MainWindowKeyboard.h"
#include "app/MainWindowLayout.h"
#include "app/MainWindowLook.h"
#include "app/MainWindowPainting.h"
#include "app/MainWindowTiles.h"
#include "app/ProgramContent.h"
#include "app/WindowGeometry.h"
#include "content/ContentError.h"
#include "content/MenuGroup.h"
#include "sound/ClipPlayer.h"
#include "toolkit/Desktop.h"
#include "toolkit/FormBuilder.h"
#include "toolkit/IdleSlot.h"
#include "toolkit/Panel.h"
#include "toolkit/PanelCanvas.h"
#include "toolkit/TileList.h"
#include "toolkit/WidgetColours.h"
#include "toolkit/WindowFrame.h"

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
    // Frame, place and size are settled first, and the resize Qt holds back
    // until the show is delivered now (the controls follow it; the lists
    // do not exist yet): the canvases and tiles below are made at the size
    // the window shows at, and the show lays out nothing again.
    PlaceOnScreen();
    SendPendingResize(*this);
    PrepareContent();

    repeat_ = new RepeatCycle(RepeatCycle::Hooks{
                                  [this] { return centreList_ && centreList_->Selected() >= 0; },
                                  [this] { player_.PlayClip(CentreItem(centreList_->Selected()).ClipPath()); },
                                  [this] { player_.StopSound(); },
                                  [this] { return player_.IsSoundPlaying(); },
                                  [this] { return static_cast<std::int32_t>(controls_.pauseSlider->value()); },
                              },
                              this);

    titleCanvas_ = std::make_unique<PanelCanvas>(*controls_.titlePanel);
    titleCanvas_->SetFont(QFont(QStringLiteral("Arial")));
    CreateLists();
    OnResize();
    SetUpControls();
    ConnectKeyboard();
    controlBar_->ShowStartValues();
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
        MainWindowKeyboard::Controls{.window = *this,
                                     .menu = *menuList_,
                                     .centre = *centreList_,
                                     .startStop = *controls_.startStopPanel,
                                     .pause = *controls_.pauseSlider,
                                     .volume = *controls_.volumeSlider,
                                     .help = *controls_.helpPanel,
                                     .alphabet = *controls_.alphabetPanel,
                                     .about = *controls_.aboutPanel,
                                     .logo = *controls_.logo,
                                     .menuScrollBar = *controls_.menuScrollBar,
                                     .centreScrollBar = *controls_.centreScrollBar},
        MainWindowKeyboard::Actions{
            .startStop = [this] { OnStartStopClicked(); },
            .help = [this] { OnHelpClicked(); },
            .alphabet = [this] { OnAlphabetClicked(); },
            .about = [this] { OnAboutClicked(); },
            .playItem = [this](int index) { itemActions_->Enter(index); },
            .groupName = [this](int index) { return Text(content_->set.MenuItemAt(index)->name); },
            .itemName = [this](int index) { return Text(CentreItem(index).name); },
        },
        look::kHoverText);
}

void MainWindow::PrepareMenuPictures(LoadedContent& content, float pixelRatio)
{
    try {
        tiles::PrepareMenuPictures(content.set, pixelRatio, MainWindowTitleBandHeight());
    } catch (const std::exception&) {
        // The reason stays inside; the user is told that loading failed.
        throw ContentError(LoadError::BadFormat, kLoadFailedMessage);
    }
}

void MainWindow::PrepareContent()
{
    try {
        soundMarker_ =
            content_->soundMarker.CreateTwoColourBitmap(CoreColour(Qt::white), CoreColour(look::kSoundMarkerInk));
        RebuildScaledMarker();
    } catch (const std::exception&) {
        soundMarker_.reset();
        scaledSoundMarker_.reset();
        throw ContentError(LoadError::BadFormat, kLoadFailedMessage);
    }
    PrepareMenuPictures(*content_, static_cast<float>(devicePixelRatioF()));
}

void MainWindow::CreateLists()
{
    menuList_ = std::make_unique<TileList>(*controls_.menuPanel, *controls_.menuScrollBar);
    menuList_->SetOnPaintItem([this](QPainter& canvas, const QRect& rect, int index, bool selected) {
        painting::DrawMenuTile(canvas, rect, *content_->set.MenuItemAt(index), selected);
    });
    menuList_->SetOnClickItem([this](const QRect&, int index, bool changed, int x, int) {
        OnMenuItemClick(index, changed, x == TileList::kByKey);
    });
    menuList_->SetAutoResize(false);
    tiles::LayoutMenu(*menuList_, content_->set, controls_.menuPanel->width());

    centreList_ = std::make_unique<TileList>(*controls_.centrePanel, *controls_.centreScrollBar);
    centreList_->SetOnPaintItem([this](QPainter& canvas, const QRect& rect, int index, bool selected) {
        if (!refresh_.Suspended())
            painting::DrawItemTile(canvas, rect, CentreItem(index), selected, scaledSoundMarker_.get(), Scaling());
    });
    itemActions_ = std::make_unique<ItemTileActions>(
        player_, *repeat_, *controls_.centrePanel,
        ItemTileActions::Hooks{[this](int index) -> ContentItem& { return CentreItem(index); },
                               [this] { return static_cast<const Bitmap*>(scaledSoundMarker_.get()); },
                               [this] { return Scaling(); }});
    centreList_->SetOnClickItem(
        [this](const QRect&, int index, bool changed, int x, int y) { itemActions_->Click(index, changed, x, y); });
    centreList_->SetOnMoveItem([this](const QRect&, int index, int x, int y) { itemActions_->Move(index, x, y); });
    centreList_->SetAutoResize(false);
    centreList_->Canvas().SetFont(QFont(QStringLiteral("Arial")));
}

void MainWindow::SetUpControls()
{
    controls_.logo->setPixmap(LogoPixmap(devicePixelRatioF()));
    controls_.logo->resize(controls_.logo->pixmap().deviceIndependentSize().toSize());
    controlBar_ = new ControlBar(controls_, player_,
                                 {
                                     .startStop = [this] { OnStartStopClicked(); },
                                     .help = [this] { OnHelpClicked(); },
                                     .alphabet = [this] { OnAlphabetClicked(); },
                                     .about = [this] { OnAboutClicked(); },
                                     .repeating = [this] { return repeat_->IsOn(); },
                                 },
                                 this);
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
    if (splash_) {
        // The splash stays in front until it goes.
        splash_->raise();
        QTimer::singleShot(kSplashDelayMs, this, [this] {
            delete splash_.data();
            splash_ = nullptr;
        });
    }
    PlaceOnScreen();
    // No window manager reliably tells a window it became active inside the
    // program, so the window activates itself once it is on the screen.
    QTimer::singleShot(0, this, &MainWindow::Activate);
}

void MainWindow::PlaceOnScreen()
{
    frame_ = WindowFrame::Of(*this);
    setMinimumSize(MainWindowMinimumSize(frame_));
    setGeometry(MainWindowGeometry(Desktop::WorkArea(this), frame_));
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
    scaledSoundMarker_ = tiles::ScaledMarker(*soundMarker_, Scaling());
}

void MainWindow::LayoutCentre()
{
    centreList_->Clear();
    if (MenuGroup* group = ShownGroup())
        tiles::LayoutCentre(*centreList_, *group, selection_.ShownIndex(), controls_.centrePanel->width(), Scaling());
}

void MainWindow::StartItemPreparation()
{
    IdleSlot::Set([this](bool& done) { PrepareItemsOnIdle(done); });
}

void MainWindow::PrepareItemsOnIdle(bool& done)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    MenuGroup* group = ShownGroup();
    if (group == nullptr ||
        !tiles::PrepareNextItem(*group, static_cast<float>(controls_.centrePanel->devicePixelRatioF()))) {
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
    painting::PaintTitle(painter, QRect(QPoint(0, 0), image.deviceIndependentSize().toSize()), ShownGroup(), Scaling());
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
    const int selected = menuList_->Selected();

    // The heading lights up and hands the click on. Its own items are never
    // shown: while it is lit the centre holds no tiles, and its picture
    // stays until the next group's.
    if (index == GroupSelection::kHeadingTile) {
        const int passOn = GroupSelection::HeadingPassOn(previousGroup, byKey);
        SelectGroup(selected, false);
        menuList_->Paint();
        controls_.menuPanel->repaint();
        QTimer::singleShot(kPaintRefreshMs, this, [this, passOn] {
            // A group the user chose meanwhile wins, as a click queued
            // behind the pause would.
            if (menuList_->Selected() != GroupSelection::kHeadingTile)
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
    selection_.Select(selected, shown);
    LayoutCentre();
    centreList_->UpdateScrolling();
}

void MainWindow::OnStartStopClicked()
{
    repeat_->Toggle();
    controlBar_->ShowRepetition(repeat_->IsOn());
    if (keyboard_ != nullptr)
        keyboard_->SetStartStopName(controls_.startStopLabel->text());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
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
