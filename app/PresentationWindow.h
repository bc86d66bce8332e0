#pragma once

#include <QDialog>
#include <QTimer>

#include <cstdint>
#include <memory>

#include "app/DesktopServices.h"
#include "app/PresentationLayout.h"
#include "toolkit/DeferredRefresh.h"

class QLabel;
class QPushButton;

namespace velmora {
class Bitmap;
class ContentItem;
class ContentSet;
class MenuGroup;
}  // namespace velmora

namespace velmora::app {

// The phonetic-alphabet presentation: one page picture at a time, scaled to
// the window keeping its aspect ratio, with a page counter, buttons for the
// previous and next page and, on the first page, two links the content
// names. Pages are JPEG files decoded each time one is shown; a page that
// cannot be decoded leaves the previous picture in place. Closing only hides
// the window, which opens again on the page the user left.
class PresentationWindow : public QDialog {
    Q_OBJECT
public:
    // The controls the window works with, as the form builder hands them over.
    struct Controls {
        QWidget* pageBox = nullptr;
        QLabel* pageLabel = nullptr;
        QLabel* firstLink = nullptr;
        QLabel* secondLink = nullptr;
        QPushButton* previousButton = nullptr;
        QPushButton* nextButton = nullptr;
        QPushButton* closeButton = nullptr;
    };

    static constexpr char kCaption[] = "Międzynarodowy alfabet fonetyczny";
    static constexpr int kPaintRefreshMs = 200;

    // The pages and links are those of `content`'s presentation, read again
    // on every showing.
    PresentationWindow(ContentSet& content, const QColor& colour, QWidget* parent = nullptr,
                       DesktopServices services = {});
    ~PresentationWindow() override;

    // Sizes the window for a screen of `screen`: the largest standard page
    // area that fits with the window around it. Done once when it is built.
    void SizeForScreen(QSize screen);

    // The page buttons' actions: one page back or on, then an immediate
    // high-quality redraw; nothing on the first or last page.
    void ShowPreviousPage();
    void ShowNextPage();
    // Shows page `index` (0-based) as the page buttons do; nothing for the
    // current page or one that does not exist.
    void ShowPage(int index);

    int PageIndex() const { return pageIndex_; }
    int PageCount() const;
    const Bitmap& PageBitmap() const { return *pageBitmap_; }
    const Bitmap& ScaledBitmap() const { return *scaledBitmap_; }
    QWidget& PageBox() const { return *controls_.pageBox; }
    QLabel& PageLabel() const { return *controls_.pageLabel; }
    QLabel& Link(int number) const;
    QPushButton& PreviousButton() const { return *controls_.previousButton; }
    QPushButton& NextButton() const { return *controls_.nextButton; }
    // Opens link 1 or 2, as a click on its label does.
    void OpenLink(int number);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectControls();
    void ConnectKeys();
    void FocusFirstPageButton();
    void SetUpLinks();
    void LoadPage();
    bool DecodePageFile(const ContentItem& page, Bitmap& into) const;
    layout::Size FitPage() const;
    void RefreshPage();
    void ScheduleRefresh();
    void UpdateControls();
    void FitLabelsToText();
    void PaintPage();
    const ContentItem* LinkItem(int number) const;

    ContentSet& content_;
    MenuGroup* presentation_ = nullptr;
    DesktopServices services_;
    std::unique_ptr<Bitmap> pageBitmap_;
    std::unique_ptr<Bitmap> scaledBitmap_;
    std::int32_t pageIndex_ = 0;
    DeferredRefresh refresh_{kPaintRefreshMs, [this] { RefreshPage(); }};

    Controls controls_;
};

}  // namespace velmora::app
