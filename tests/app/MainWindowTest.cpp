#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>

#include <functional>
#include <memory>
#include <optional>

#include "app/MainWindow.h"
#include "app/MainWindowLayout.h"
#include "app/ProgramContent.h"
#include "content/ContentError.h"
#include "content/ContentLoad.h"
#include "content/MenuGroup.h"
#include "sound/ClipPlayer.h"
#include "support/FakeAudioOutput.h"
#include "support/GuiApplication.h"
#include "support/TestContent.h"
#include "toolkit/BitmapImage.h"
#include "toolkit/IdleSlot.h"
#include "toolkit/Panel.h"
#include "toolkit/PanelCanvas.h"
#include "toolkit/TileList.h"

namespace velmora::app {
namespace {

using test::TestGroup;

constexpr int kTimeLimitMs = 5000;

// Runs the event loop until `condition` holds or the time limit passes.
template <class Condition>
bool WaitFor(Condition condition)
{
    QDeadlineTimer deadline(kTimeLimitMs);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

std::vector<TestGroup> Groups(int count)
{
    std::vector<TestGroup> groups(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        groups[static_cast<std::size_t>(i)].name = "Grupa - " + std::to_string(i);
    return groups;
}

// A main window on a content directory made for the test, over a fake
// audio output, shown at a given outer width.
struct Rig : test::NeedsGuiApplication {
    explicit Rig(const std::vector<TestGroup>& groups, int width = 800, int height = 760, bool audioDevice = true)
    {
        output.SetAvailable(audioDevice);
        test::WriteTestContent(dir, groups);
        window = std::make_unique<MainWindow>(ProgramContent(LoadContent()), player);
        // Without a frame the outer width is the client width, as under Xvfb
        // without a window manager.
        window->setWindowFlag(Qt::FramelessWindowHint);
        window->show();
        window->resize(width, height);
        EXPECT_TRUE(WaitFor([&] { return window->Content().selectedMenuItem == 0; }));
        Settle();
    }

    // Lets the delayed redraw and the idle preparation finish.
    void Settle()
    {
        EXPECT_TRUE(WaitFor([&] { return !window->PaintSuspended() && !IdleSlot::IsSet(); }));
    }

    void ClickMenuTile(int index)
    {
        const TileList::Tile& tile = window->MenuList().Item(index);
        QTest::mouseClick(window->MenuList().Panel(), Qt::LeftButton, {},
                          QPoint(tile.left + 5, tile.top + 5 - window->MenuList().ScrollPos()));
    }

    void ClickCentre(int index, int x, int y)
    {
        const TileList::Tile& tile = window->CentreList().Item(index);
        QTest::mouseClick(window->CentreList().Panel(), Qt::LeftButton, {},
                          QPoint(tile.left + x, tile.top + y - window->CentreList().ScrollPos()));
    }

    QPoint PlayZonePoint() const
    {
        const Bitmap& marker = *window->ScaledSoundMarker();
        const layout::ItemTile tile =
            layout::ItemTileGeometry(window->Scaling(), marker.Width(), marker.Height(), 0, 0);
        return {tile.marker.left + 2, tile.marker.top + 2};
    }

    int Plays() const { return static_cast<int>(output.Played().size()); }
    QImage CentreImage() { return window->CentreList().Canvas().Image(); }

    test::TempDir dir;
    test::CurrentDirGuard inDir{dir.Path()};
    test::FakeAudioOutput output;
    ClipPlayer player{output};
    std::unique_ptr<MainWindow> window;
};

TileList::Tile T(int left, int top, int width, int height)
{
    return TileList::Tile{left, top, width, height, nullptr};
}

bool SameRect(const TileList::Tile& a, const TileList::Tile& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

TEST(MainWindowTest, MenuTilesStackPlainAndIndentedGroups)
{
    std::vector<TestGroup> groups = Groups(4);
    groups[1].indented = true;
    groups[3].indented = true;
    Rig rig(groups);
    const int width = rig.window->MenuList().Panel()->width();
    const TileList::Tile expected[] = {T(0, 0, width, 52), T(36, 52, width - 36, 38), T(0, 90, width, 52),
                                       T(36, 142, width - 36, 38)};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(SameRect(rig.window->MenuList().Item(i), expected[i])) << "tile " << i;
}

TEST(MainWindowTest, CentreTilesFollowTheWidthAndTheGroup)
{
    // Items are 100 x 80. At W = 800 the scale is 0.625 (50 high), the font 31
    // and the gap 11: tiles 92 high in a 545-pixel panel. At W = 1100, 0.85937
    // (69 high), 42 and 15: tiles 126 high in a 845-pixel panel.
    struct Row {
        int width;
        int group;
        int item;
        TileList::Tile tile;
    };
    const Row rows[] = {
        {800, 3, 1, T(272, 0, 273, 92)}, {800, 3, 2, T(0, 92, 272, 92)},      {800, 0, 0, T(1, 0, 242, 92)},
        {800, 0, 1, T(243, 0, 302, 92)}, {800, 4, 1, T(341, 0, 204, 92)},     {1100, 11, 3, T(317, 126, 528, 126)},
        {1100, 4, 0, T(1, 0, 528, 126)}, {1100, 5, 3, T(422, 126, 423, 126)},
    };
    Rig rig(Groups(12));
    for (const Row& row : rows) {
        rig.window->resize(row.width, 760);
        rig.window->MenuList().Select(row.group);
        const TileList::Tile& tile = rig.window->CentreList().Item(row.item);
        EXPECT_TRUE(SameRect(tile, row.tile))
            << "W " << row.width << " group " << row.group << " item " << row.item << ": " << tile.left << ","
            << tile.top << " " << tile.width << "x" << tile.height;
    }
}

TEST(MainWindowTest, AMissingSoundMarkerFailsTheLoad)
{
    test::NeedsGuiApplication app;
    test::TempDir dir;
    test::WriteTestContent(dir, Groups(2), /*withMarker=*/false);
    test::CurrentDirGuard inDir(dir.Path());
    test::FakeAudioOutput output;
    ClipPlayer player(output);
    try {
        MainWindow window(ProgramContent(LoadContent()), player);
        FAIL() << "the window was built without its sound marker";
    } catch (const ContentError& error) {
        // The file and the reason follow the message (the load agreement
        // table checks them).
        EXPECT_EQ(std::string(error.what()).rfind("Wystąpił błąd podczas wczytywania zasobów!\n\n", 0), 0u)
            << error.what();
    }
}

// Menu pictures rendered on the loading thread are kept when they suit the
// screen the window opens on, and rendered again when they do not.
TEST(MainWindowTest, MenuPicturesRenderedAheadAreKeptOnlyForTheirScreen)
{
    struct Row {
        float aheadRatio;
        bool kept;
    };
    for (const Row row : {Row{1.0f, true}, Row{2.0f, false}}) {
        SCOPED_TRACE(row.aheadRatio);
        test::NeedsGuiApplication app;
        test::TempDir dir;
        test::WriteTestContent(dir, Groups(2));
        test::CurrentDirGuard inDir(dir.Path());
        std::unique_ptr<LoadedContent> content = ProgramContent(LoadContent());
        MainWindow::PrepareMenuPictures(*content, row.aheadRatio);
        // A mark that only a second rendering takes away.
        Bitmap& ahead = *content->set.MenuItemAt(0)->bitmap;
        ahead.Bits()[0] ^= 0xFF;
        const std::uint8_t marked = ahead.Bits()[0];
        test::FakeAudioOutput output;
        ClipPlayer player(output);
        MainWindow window(std::move(content), player);
        ASSERT_EQ(window.devicePixelRatioF(), 1.0);
        const MenuGroup& group = *window.Content().MenuItemAt(0);
        EXPECT_EQ(group.bitmap->Bits()[0] == marked, row.kept);
        EXPECT_EQ(group.bitmap->Width(), group.width);
    }
}

// The window is not held up by a device still opening: the volume shows as
// set at once, and whether there is a device once it has opened. The level
// is one that reads as 70 % but is written back as one that reads as 69 %:
// read again, it would drift.
TEST(MainWindowTest, TheVolumeShowsAtOnceAndItsDeviceOnceOpen)
{
    struct Row {
        bool opened;
        int finalValue;
    };
    for (const Row row : {Row{true, 70}, Row{false, 0}}) {
        SCOPED_TRACE(row.opened);
        test::NeedsGuiApplication app;
        test::TempDir dir;
        test::WriteTestContent(dir, Groups(2));
        test::CurrentDirGuard inDir(dir.Path());
        test::FakeAudioOutput output;
        output.SetDeviceVolume(45875u | 45875u << 16);
        output.SetAvailable(false);
        output.SetOpening(true);
        ClipPlayer player(output);
        MainWindow window(ProgramContent(LoadContent()), player);
        auto* slider = window.findChild<QSlider*>(QStringLiteral("volumeSlider"));
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->value(), 70);
        EXPECT_TRUE(slider->isEnabled());

        output.SetAvailable(row.opened);
        output.SetOpening(false);
        EXPECT_TRUE(WaitFor([&] { return slider->isEnabled() == row.opened; }));
        // Long enough for the window to look at the device several times.
        test::RunEventLoopFor(std::chrono::milliseconds(50));
        EXPECT_EQ(slider->value(), row.finalValue);
    }
}

bool CentreIsBlank(Rig& rig)
{
    const QImage image = rig.CentreImage();
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

TEST(MainWindowTest, ItemsAreDrawnOnly150MsAfterTheLastResize)
{
    Rig rig(Groups(3));
    ASSERT_FALSE(CentreIsBlank(rig));
    QElapsedTimer sinceLast;
    for (int width : {900, 950, 1000}) {
        // Started first: the refresh timer starts inside resize().
        sinceLast.start();
        rig.window->resize(width, 760);
        EXPECT_TRUE(rig.window->PaintSuspended());
        EXPECT_TRUE(CentreIsBlank(rig)) << "item tiles stay white while resizing";
        test::RunEventLoopFor(std::chrono::milliseconds(60));
    }
    EXPECT_TRUE(WaitFor([&] { return !rig.window->PaintSuspended(); }));
    EXPECT_GE(sinceLast.elapsed(), MainWindow::kPaintRefreshMs);
    EXPECT_FALSE(CentreIsBlank(rig));
}

TEST(MainWindowTest, IdlePreparationReachesEveryItemAndPassesOverOnesWithoutPicture)
{
    Rig rig(Groups(3));
    MenuGroup& group = *rig.window->Content().MenuItemAt(1);
    group.ChildAt(2)->flags &= static_cast<std::uint8_t>(~kHasPicture);
    rig.window->MenuList().Select(1);
    rig.Settle();
    for (int i = 0; i < group.ChildCount(); ++i)
        EXPECT_EQ(group.ChildAt(i)->prepared, i != 2) << "item " << i;
    EXPECT_FALSE(IdleSlot::IsSet());
}

TEST(MainWindowTest, TheSoundMarkerIsDrawnOnlyWhereTheClipExists)
{
    std::vector<TestGroup> groups = Groups(2);
    groups[1].firstItemClip = false;
    Rig rig(groups);
    const QColor marker(0xB9, 0xA7, 0x84);
    for (const int groupIndex : {0, 1}) {
        rig.window->MenuList().Select(groupIndex);
        rig.Settle();
        const QPoint at = rig.PlayZonePoint() + QPoint(2, 10);  // inside the marker
        const TileList::Tile& tile = rig.window->CentreList().Item(0);
        const QColor painted = rig.CentreImage().pixelColor(tile.left + at.x(), tile.top + at.y());
        EXPECT_EQ(painted == marker, groupIndex == 0) << "group " << groupIndex << " " << painted.name().toStdString();
    }
}

TEST(MainWindowTest, TheTitleLosesItsFirstDashAndTheMenuTurnsGreyAgain)
{
    Rig rig(Groups(2));
    // The title is drawn in black over a grey shadow; some black must be there.
    const QImage title = rig.window->TitleCanvas().Image();
    bool black = false;
    for (int y = 0; y < 40 && !black; ++y)
        for (int x = 0; x < title.width() && !black; ++x)
            black = title.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_TRUE(black);
    rig.window->MenuList().Select(-1);
    const QImage empty = rig.window->TitleCanvas().Image();
    EXPECT_EQ(empty.pixelColor(empty.width() / 2, 20), rig.window->WindowColour());
}

TEST(MainWindowTest, TheNinthTilePassesTheClickOn)
{
    struct Row {
        int groups;
        int selectedAfter;
    };
    for (const Row row : {Row{12, 9}, Row{9, -1}}) {
        Rig rig(Groups(row.groups));
        rig.ClickMenuTile(8);
        EXPECT_EQ(rig.window->MenuList().Selected(), 8) << "the heading lights up first";
        EXPECT_TRUE(WaitFor([&] { return rig.window->Content().selectedMenuItem == row.selectedAfter; }))
            << row.groups << " groups";
        EXPECT_EQ(rig.window->MenuList().Selected(), row.selectedAfter);
        EXPECT_EQ(rig.window->CentreList().Count(), row.selectedAfter == -1 ? 0 : 4);
    }
}

TEST(MainWindowTest, AGroupChosenDuringTheHeadingPauseWins)
{
    Rig rig(Groups(12));
    rig.ClickMenuTile(8);
    rig.ClickMenuTile(2);
    test::RunEventLoopFor(std::chrono::milliseconds(MainWindow::kPaintRefreshMs + 100));
    EXPECT_EQ(rig.window->Content().selectedMenuItem, 2);
}

TEST(MainWindowTest, ClickingTheSelectedGroupAgainChangesNothing)
{
    Rig rig(Groups(3));
    rig.ClickCentre(1, 5, 5);
    ASSERT_EQ(rig.window->CentreList().Selected(), 1);
    rig.ClickMenuTile(0);
    EXPECT_EQ(rig.window->CentreList().Selected(), 1) << "no new layout";
    EXPECT_FALSE(rig.window->PaintSuspended());
}

TEST(MainWindowTest, ThePlayZonePlaysOnceAndNotWhileRepeating)
{
    Rig rig(Groups(2));
    const QPoint zone = rig.PlayZonePoint();
    rig.ClickCentre(0, 2, 2);
    EXPECT_EQ(rig.Plays(), 0) << "outside the zone only selects";
    rig.ClickCentre(0, zone.x(), zone.y());
    EXPECT_EQ(rig.Plays(), 1);
    rig.ClickCentre(0, zone.x(), zone.y());
    EXPECT_EQ(rig.Plays(), 2) << "a second click plays again";
    rig.ClickCentre(1, zone.x(), zone.y());
    EXPECT_EQ(rig.Plays(), 2) << "an item without a sound plays nothing";

    rig.ClickCentre(0, 2, 2);
    rig.window->Repeat().Toggle();
    EXPECT_EQ(rig.Plays(), 3) << "repetition plays the selected item at once";
    rig.ClickCentre(0, zone.x(), zone.y());
    EXPECT_EQ(rig.Plays(), 3) << "no extra playback while repeating";
}

// Where the canvas holds `marker` pixel for pixel inside `area`: the top-left
// corner of the marker as painted, or none.
std::optional<QPoint> FindPainted(const QImage& canvas, const QImage& marker, const QRect& area)
{
    const QImage image = canvas.convertToFormat(QImage::Format_RGB32);
    const QImage wanted = marker.convertToFormat(QImage::Format_RGB32);
    const auto matchesAt = [&](int left, int top) {
        for (int y = 0; y < wanted.height(); ++y)
            for (int x = 0; x < wanted.width(); ++x)
                if (image.pixel(left + x, top + y) != wanted.pixel(x, y))
                    return false;
        return true;
    };
    for (int top = area.top(); top + wanted.height() <= area.bottom() + 1; ++top)
        for (int left = area.left(); left + wanted.width() <= area.right() + 1; ++left)
            if (matchesAt(left, top))
                return QPoint(left, top);
    return std::nullopt;
}

TEST(MainWindowTest, TheMarkerAsPaintedIsWhereItsClickPlays)
{
    Rig rig(Groups(1));
    const TileList::Tile& tile = rig.window->CentreList().Item(0);
    const QImage marker = BitmapImage::View(*rig.window->ScaledSoundMarker());
    const std::optional<QPoint> found =
        FindPainted(rig.CentreImage(), marker, QRect(tile.left, tile.top, tile.width, tile.height));
    ASSERT_TRUE(found) << "no sound marker painted in the first tile";
    // The marker's own pixels play, and so do 10 pixels above and below it.
    const QPoint painted = *found - QPoint(tile.left, tile.top);
    const int centreX = painted.x() + marker.width() / 2;
    struct Row {
        const char* where;
        int y;
        bool plays;
    };
    const Row rows[] = {
        {"the centre", painted.y() + marker.height() / 2, true},
        {"10 pixels above", painted.y() - 10, true},
        {"11 pixels above", painted.y() - 11, false},
        {"10 pixels below", painted.y() + marker.height() + 9, true},
        {"11 pixels below", painted.y() + marker.height() + 10, false},
    };
    for (const Row& row : rows) {
        const int before = rig.Plays();
        rig.ClickCentre(0, centreX, row.y);
        EXPECT_EQ(rig.Plays() - before, row.plays ? 1 : 0) << row.where;
    }
}

TEST(MainWindowTest, AGroupChangeSendsARunningRepetitionToIdle)
{
    Rig rig(Groups(2));
    rig.ClickCentre(0, 2, 2);
    rig.window->Repeat().Toggle();
    ASSERT_TRUE(rig.window->Repeat().IsTimerActive());
    rig.ClickMenuTile(1);
    EXPECT_TRUE(WaitFor([&] { return !rig.window->Repeat().IsTimerActive(); }));
    EXPECT_TRUE(rig.window->Repeat().IsOn());
}

// What the user sees of the controls, each row an action on a fresh window
// and what it must show.
TEST(MainWindowTest, ControlsShowWhatTheyDo)
{
    const QColor window(0xE7, 0xEC, 0xF1);
    const QColor lit(0xC2, 0xDC, 0xEB);
    const QColor repeating(0xDB, 0xA8, 0xAD);
    const QColor blue(0x00, 0x00, 0xFF);
    const QColor grey(0x50, 0x50, 0x50);
    const auto Child = [](Rig& rig, const char* name) {
        QWidget* child = rig.window->findChild<QWidget*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    };
    const auto Background = [&](Rig& rig, const char* name) {
        return Child(rig, name)->palette().color(QPalette::Window);
    };
    const auto TextColour = [&](Rig& rig, const char* name) {
        return Child(rig, name)->palette().color(QPalette::WindowText);
    };
    const auto Wheel = [](QWidget* over, int delta) {
        const QPoint local(over->width() / 2, over->height() / 2);
        QWheelEvent event(local, over->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &event);
    };
    // The pointer moving to `at` on `over`, delivered at once whatever the
    // pointer did in earlier tests.
    const auto MoveTo = [](QWidget& over, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(over.mapToGlobal(at)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&over, &move);
    };
    const auto Send = [](QWidget* to, QEvent::Type type) {
        if (type == QEvent::Enter) {
            QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(to->mapToGlobal(QPoint(1, 1))));
            QApplication::sendEvent(to, &enter);
        } else {
            QEvent leave(type);
            QApplication::sendEvent(to, &leave);
        }
    };
    // Enough groups for the menu to scroll; the first with enough items for
    // the centre to.
    std::vector<TestGroup> many = Groups(12);
    for (TestGroup& group : many)
        group.items = 1;
    many[0].items = 40;

    struct Row {
        const char* what;
        bool audioDevice;
        std::function<void(Rig&)> actAndCheck;
    };
    const Row rows[] = {
        {"each wheel notch over the centre scrolls Scale(50), the wheel's size aside", true,
         [&](Rig& rig) {
             const int step = rig.window->Scaling().Scale(50);
             Wheel(rig.window->CentreList().Panel(), -120);
             EXPECT_EQ(rig.window->CentreList().ScrollPos(), step);
             Wheel(rig.window->CentreList().Panel(), -15);
             EXPECT_EQ(rig.window->CentreList().ScrollPos(), 2 * step);
             Wheel(rig.window->CentreList().Panel(), 360);
             EXPECT_EQ(rig.window->CentreList().ScrollPos(), step);
         }},
        {"each wheel notch over the menu scrolls Scale(30); over the control bar nothing", true,
         [&](Rig& rig) {
             Wheel(rig.window->MenuList().Panel(), -120);
             EXPECT_EQ(rig.window->MenuList().ScrollPos(), rig.window->Scaling().Scale(30));
             Wheel(Child(rig, "controlBar"), -120);
             EXPECT_EQ(rig.window->MenuList().ScrollPos(), rig.window->Scaling().Scale(30));
             EXPECT_EQ(rig.window->CentreList().ScrollPos(), 0);
         }},
        {"Start lights blue under the pointer and turns to Stop on the repeat colour", true,
         [&](Rig& rig) {
             QWidget* label = Child(rig, "startStopLabel");
             EXPECT_EQ(Background(rig, "startStopPanel"), window);
             EXPECT_EQ(TextColour(rig, "startStopLabel"), grey);
             Send(label, QEvent::Enter);
             EXPECT_EQ(Background(rig, "startStopPanel"), lit);
             EXPECT_EQ(TextColour(rig, "startStopLabel"), blue);
             QTest::mouseClick(label, Qt::LeftButton);
             EXPECT_EQ(qobject_cast<QLabel*>(label)->text(), QStringLiteral("Stop"));
             EXPECT_EQ(Background(rig, "startStopPanel"), repeating);
             Send(label, QEvent::Leave);
             EXPECT_EQ(Background(rig, "startStopPanel"), repeating);
             EXPECT_EQ(TextColour(rig, "startStopLabel"), grey);
             QTest::mouseClick(label, Qt::LeftButton);
             EXPECT_EQ(qobject_cast<QLabel*>(label)->text(), QStringLiteral("Start"));
             EXPECT_EQ(Background(rig, "startStopPanel"), window);
         }},
        {"the help button lights all three of its lines", true,
         [&](Rig& rig) {
             Send(Child(rig, "helpInfoLabel"), QEvent::Enter);
             EXPECT_EQ(Background(rig, "helpPanel"), lit);
             for (const char* line : {"helpMarkLabel", "helpInfoLabel", "helpMoreLabel"})
                 EXPECT_EQ(TextColour(rig, line), blue) << line;
             Send(Child(rig, "helpInfoLabel"), QEvent::Leave);
             EXPECT_EQ(Background(rig, "helpPanel"), window);
             for (const char* line : {"helpMarkLabel", "helpInfoLabel", "helpMoreLabel"})
                 EXPECT_EQ(TextColour(rig, line), grey) << line;
         }},
        {"the hand cursor shows over the play zone only, and not while repeating", true,
         [&](Rig& rig) {
             QWidget& centre = rig.window->CentrePanel();
             const TileList::Tile& tile = rig.window->CentreList().Item(0);
             MoveTo(centre, QPoint(tile.left, tile.top) + rig.PlayZonePoint());
             EXPECT_EQ(centre.cursor().shape(), Qt::PointingHandCursor);
             MoveTo(centre, QPoint(tile.left + tile.width - 3, tile.top + tile.height - 3));
             EXPECT_EQ(centre.cursor().shape(), Qt::ArrowCursor);
             QTest::mouseClick(Child(rig, "startStopLabel"), Qt::LeftButton);
             MoveTo(centre, QPoint(tile.left, tile.top) + rig.PlayZonePoint());
             EXPECT_EQ(centre.cursor().shape(), Qt::ArrowCursor);
         }},
        {"without an audio device the volume and its labels are disabled", false,
         [&](Rig& rig) {
             for (const char* control : {"volumeSlider", "volumeCaption", "volumeMinLabel", "volumeMaxLabel"})
                 EXPECT_FALSE(Child(rig, control)->isEnabled()) << control;
             EXPECT_TRUE(Child(rig, "pauseSlider")->isEnabled());
         }},
        {"the logo and the about button open the about window; back, the first group is selected", true,
         [&](Rig& rig) {
             int abouts = 0;
             rig.window->SetSecondaryWindows({.showHelp = {}, .showAbout = [&] { ++abouts; }, .showAlphabet = {}});
             for (const char* opener : {"logo", "aboutLabel"}) {
                 rig.ClickMenuTile(2);
                 ASSERT_EQ(rig.window->Content().selectedMenuItem, 2) << opener;
                 QTest::mouseClick(Child(rig, opener), Qt::LeftButton);
                 EXPECT_EQ(rig.window->Content().selectedMenuItem, 0) << opener;
             }
             EXPECT_EQ(abouts, 2);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Rig rig(many, 800, 760, row.audioDevice);
        row.actAndCheck(rig);
    }
}

}  // namespace
}  // namespace velmora::app
