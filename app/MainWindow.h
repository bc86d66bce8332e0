#pragma once

#include <QMargins>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/GroupSelection.h"
#include "app/MainWindowControls.h"
#include "app/RepeatCycle.h"
#include "app/WidthScale.h"
#include "content/LoadedContent.h"
#include "toolkit/DeferredRefresh.h"

class QLabel;
class QPainter;
class QScrollBar;
class QSlider;

namespace velmora {
class Bitmap;
class ClipPlayer;
class ContentItem;
class MenuGroup;
class Panel;
class PanelCanvas;
class TileList;
}  // namespace velmora

namespace velmora::app {

class ControlBar;
class ItemTileActions;
class MainWindowKeyboard;

// The program's main window: the menu of groups on the left, the selected
// group's title bar and its items in two columns in the centre, and the
// control bar at the bottom. It owns all exercise content, loaded when the
// window is built, and coordinates the tile lists, the repetition and the
// clip player; the geometry it applies lives in MainWindowLayout.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // The windows the control bar opens; each returns when its window closes.
    struct SecondaryWindows {
        std::function<void(const std::string& key)> showHelp;
        std::function<void()> showAbout;
        std::function<void()> showAlphabet;
    };

    static constexpr int kPaintRefreshMs = 150;
    static constexpr int kSplashDelayMs = 800;

    // Builds the window on loaded content. Throws ContentError with the
    // message for the user when the content's pictures cannot be prepared.
    MainWindow(std::unique_ptr<LoadedContent> content, ClipPlayer& player, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Renders the menu's pictures for a screen of `pixelRatio`, so that the
    // window built on `content` later has them ready. Touches nothing but
    // `content`: the thread that loaded it may do this while the splash
    // shows. Throws ContentError as the constructor does.
    static void PrepareMenuPictures(LoadedContent& content, float pixelRatio);

    void SetSecondaryWindows(SecondaryWindows windows) { secondary_ = std::move(windows); }
    // The splash window, destroyed 800 ms after this window is first shown.
    void SetSplash(QWidget* splash) { splash_ = splash; }

    // What the window does each time it becomes active inside the program:
    // the selection returns to the first group.
    void Activate();

    ContentSet& Content() { return content_->set; }
    const ContentSet& Content() const { return content_->set; }
    QColor WindowColour() const;
    WidthScale Scaling() const;

    // For tests and the secondary windows.
    TileList& MenuList() { return *menuList_; }
    TileList& CentreList() { return *centreList_; }
    PanelCanvas& TitleCanvas() { return *titleCanvas_; }
    Panel& CentrePanel() { return *controls_.centrePanel; }
    bool PaintSuspended() const { return refresh_.Suspended(); }
    RepeatCycle& Repeat() { return *repeat_; }
    const Bitmap* ScaledSoundMarker() const { return scaledSoundMarker_.get(); }
    // The selected group, or null.
    MenuGroup* SelectedGroup() const { return selection_.Selected(); }
    // The group whose title and items the centre shows: the selected one, or
    // none while the heading tile passes a click on.
    MenuGroup* ShownGroup() const { return selection_.Shown(); }
    // The item of centre tile `index`.
    ContentItem& CentreItem(int index) const;

    // Installs the item preparation in the application's idle slot.
    void StartItemPreparation();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PrepareContent();
    void CreateLists();
    void SetUpControls();
    void ConnectKeyboard();

    // Frame, smallest size and place, centred in the work area.
    void PlaceOnScreen();
    void OnResize();
    void ClearCentre();
    void OnPaintRefresh();
    void RebuildScaledMarker();
    void LayoutCentre();
    void SelectGroup(int selected, bool shown);
    void PrepareItemsOnIdle(bool& done);

    void PaintTitle();

    void OnMenuItemClick(int index, bool changed, bool byKey);
    void OnStartStopClicked();
    void OnHelpClicked();
    void OnAboutClicked();
    void OnAlphabetClicked();

    MainWindowKeyboard* keyboard_ = nullptr;
    ControlBar* controlBar_ = nullptr;
    ClipPlayer& player_;
    std::unique_ptr<LoadedContent> content_;
    std::unique_ptr<Bitmap> soundMarker_;
    std::unique_ptr<Bitmap> scaledSoundMarker_;
    std::unique_ptr<TileList> menuList_;
    std::unique_ptr<TileList> centreList_;
    std::unique_ptr<ItemTileActions> itemActions_;
    std::unique_ptr<PanelCanvas> titleCanvas_;
    // Only SelectGroup changes it, and it lays the centre out for the shown
    // group at once, so the centre's tiles always carry that group's items.
    GroupSelection selection_{content_->set};
    RepeatCycle* repeat_ = nullptr;
    DeferredRefresh refresh_{kPaintRefreshMs, [this] { OnPaintRefresh(); }};
    QPointer<QWidget> splash_;
    SecondaryWindows secondary_;
    // The window manager's frame, known when the window is shown.
    QMargins frame_;

    MainWindowControls controls_;
};

}  // namespace velmora::app
