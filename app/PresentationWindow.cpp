#include "app/PresentationWindow.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>

#include <exception>
#include <vector>

#include "app/WindowGeometry.h"
#include "content/ContentSet.h"
#include "core/ContentPath.h"
#include "core/TextEncoding.h"
#include "graphics/Bitmap.h"
#include "graphics/Resample.h"
#include "platform/JpegDecoder.h"
#include "toolkit/BitmapImage.h"
#include "toolkit/Desktop.h"
#include "toolkit/FormBuilder.h"
#include "toolkit/MouseNotifier.h"
#include "toolkit/Panel.h"
#include "toolkit/Pressable.h"
#include "toolkit/WidgetColours.h"
#include "toolkit/WindowFrame.h"
#include "toolkit/WindowKeys.h"

namespace velmora::app {
namespace {

using Kind = ControlDescription::Kind;
using Option = ControlDescription::Option;

constexpr Anchors kAll = Anchor::Left | Anchor::Top | Anchor::Right | Anchor::Bottom;
constexpr Anchors kLeftBottom = Anchor::Left | Anchor::Bottom;
constexpr FontDescription kButtonFont{.family = "Arial", .height = 16};
constexpr FontDescription kLinkFont{.family = "Arial", .height = 19, .underline = true};
constexpr layout::Size kSmallestPageArea{640, 480};

// One row per control, as the window is described.
// clang-format off
const ControlDescription kControls[] = {
    {.name = "pagePanel", .kind = Kind::Panel, .rect = {2, 2, 694, 473}, .anchors = kAll,
     .background = QColor(Qt::white)},
    {.name = "pageBox", .kind = Kind::PaintBox, .parent = "pagePanel", .rect = {0, 0, 694, 473}, .anchors = kAll,
     .slot = ControlSlot::Of<&PresentationWindow::Controls::pageBox>()},
    {.name = "firstLink", .kind = Kind::Link, .parent = "pagePanel", .rect = {32, 393, 64, 26},
     .anchors = kLeftBottom, .font = kLinkFont, .textColour = QColor(Qt::blue), .options = Option::HandCursor,
     .slot = ControlSlot::Of<&PresentationWindow::Controls::firstLink>()},
    {.name = "secondLink", .kind = Kind::Link, .parent = "pagePanel", .rect = {32, 425, 64, 26},
     .anchors = kLeftBottom, .font = kLinkFont, .textColour = QColor(Qt::blue), .options = Option::HandCursor,
     .slot = ControlSlot::Of<&PresentationWindow::Controls::secondLink>()},
    {.name = "pageLabel", .kind = Kind::Label, .rect = {8, 487, 81, 18}, .anchors = kLeftBottom,
     .text = "Strona 1/11", .font = kButtonFont,
     .slot = ControlSlot::Of<&PresentationWindow::Controls::pageLabel>()},
    // Anchored to the bottom only: its centre keeps its proportion of the width.
    {.name = "pageButtons", .kind = Kind::Panel, .rect = {188, 479, 312, 37}, .anchors = Anchor::Bottom},
    {.name = "previousButton", .kind = Kind::Button, .parent = "pageButtons", .rect = {10, 2, 131, 33},
     .text = "< Poprzednia", .font = kButtonFont,
     .slot = ControlSlot::Of<&PresentationWindow::Controls::previousButton>()},
    {.name = "nextButton", .kind = Kind::Button, .parent = "pageButtons", .rect = {171, 2, 137, 33},
     .text = "Następna >", .font = kButtonFont,
     .slot = ControlSlot::Of<&PresentationWindow::Controls::nextButton>()},
    {.name = "closeButton", .kind = Kind::Button, .rect = {606, 481, 89, 33},
     .anchors = Anchor::Right | Anchor::Bottom, .text = "Zamknij", .font = kButtonFont,
     .slot = ControlSlot::Of<&PresentationWindow::Controls::closeButton>()},
};

const WindowDescription kDescription{
    .clientSize = {698, 518},
    .font = {.family = "MS Sans Serif", .height = 11},
    .controls = kControls,
};
// clang-format on

QString Text(const std::string& contentText)
{
    return QString::fromStdString(Cp1250ToUtf8(contentText));
}

// A label sized to its caption, as a caption set at run time needs; an empty
// one keeps its size, so a link without caption can still be clicked.
void FitToText(QLabel& label)
{
    if (!label.text().isEmpty())
        label.resize(label.sizeHint());
}

}  // namespace

PresentationWindow::PresentationWindow(ContentSet& content, const QColor& colour, QWidget* parent,
                                       DesktopServices services)
    : QDialog(parent),
      content_(content),
      presentation_(&content.presentation),
      services_(std::move(services)),
      pageBitmap_(NewBitmap24(0, 0)),
      scaledBitmap_(NewBitmap24(0, 0))
{
    controls_ = FormBuilder::Build<Controls>(*this, kDescription);
    setWindowTitle(QString::fromUtf8(kCaption));
    WidgetColours::SetBackground(*this, colour);
    ConnectControls();
    SetUpLinks();
    // Sized before the minimum is set: a minimum above the design size would
    // grow the hidden window before the anchors place the page panel, and the
    // room around the page would be measured too large.
    SizeForScreen(Desktop::ScreenSize(parent));
    const QSize aroundPage = size() - controls_.pageBox->size();
    setMinimumSize(aroundPage + QSize(kSmallestPageArea.width, kSmallestPageArea.height));
}

PresentationWindow::~PresentationWindow() = default;

void PresentationWindow::ConnectControls()
{
    controls_.pageBox->installEventFilter(this);
    connect(controls_.previousButton, &QPushButton::clicked, this, &PresentationWindow::ShowPreviousPage);
    connect(controls_.nextButton, &QPushButton::clicked, this, &PresentationWindow::ShowNextPage);
    connect(controls_.closeButton, &QPushButton::clicked, this, &QDialog::reject);
    for (QPushButton* button : {controls_.previousButton, controls_.nextButton, controls_.closeButton}) {
        button->setAutoDefault(false);
        Pressable::MakeButton(*button, Qt::blue);
    }
    setTabOrder(controls_.nextButton, controls_.previousButton);
    MouseNotifier::On(*controls_.firstLink).SetOnClick([this] { OpenLink(1); });
    MouseNotifier::On(*controls_.secondLink).SetOnClick([this] { OpenLink(2); });
    ConnectKeys();
}

void PresentationWindow::ConnectKeys()
{
    // The page keys act wherever the focus is: on a button the arrows would
    // only move the focus.
    WindowKeys::Add(*this, {Qt::Key_Left, Qt::Key_PageUp}, [this] { ShowPreviousPage(); });
    WindowKeys::Add(*this, {Qt::Key_Right, Qt::Key_PageDown}, [this] { ShowNextPage(); });
    WindowKeys::Add(*this, {Qt::Key_Home}, [this] { ShowPage(0); });
    WindowKeys::Add(*this, {Qt::Key_End}, [this] { ShowPage(PageCount() - 1); });
}

void PresentationWindow::SetUpLinks()
{
    if (presentation_->title.ChildCount() < 2) {
        for (QLabel* link : {controls_.firstLink, controls_.secondLink})
            link->clear();
        return;
    }
    for (int number = 1; number <= 2; ++number) {
        QLabel& link = Link(number);
        const ContentItem& item = *LinkItem(number);
        link.setText(Text(item.name));
        link.setToolTip(Text(item.fileName));
        FitToText(link);
    }
    // A link with a caption is reached with Tab and read out as a link.
    for (int number = 1; number <= 2; ++number) {
        QLabel& link = Link(number);
        if (link.text().isEmpty())
            continue;
        Pressable::Make(link, Pressable::Kind::Link, link.text(), [this, number] {
            OpenLink(number);
        }).SetFocusMarkColour(Qt::blue);
    }
}

void PresentationWindow::SizeForScreen(QSize screen)
{
    const QSize aroundPage = size() - controls_.pageBox->size();
    const QSize outerAroundPage = aroundPage.grownBy(WindowFrame::Of(*this));
    const layout::Size area =
        layout::InitialPageArea({screen.width(), screen.height()}, {outerAroundPage.width(), outerAroundPage.height()});
    ResizeNow(*this, aroundPage + QSize(area.width, area.height));
}

int PresentationWindow::PageCount() const
{
    return presentation_->ChildCount();
}

QLabel& PresentationWindow::Link(int number) const
{
    return *(number == 1 ? controls_.firstLink : controls_.secondLink);
}

const ContentItem* PresentationWindow::LinkItem(int number) const
{
    if (number < 1 || number > presentation_->title.ChildCount())
        return nullptr;
    return presentation_->title.ChildAt(number - 1);
}

void PresentationWindow::OpenLink(int number)
{
    if (number > 2)
        return;
    if (const ContentItem* item = LinkItem(number))
        services_.open(Text(item->fileName));
}

// --- Pages ---

bool PresentationWindow::DecodePageFile(const ContentItem& page, Bitmap& into) const
{
    try {
        // The decoder reads only a regular file and bounds what a page may
        // cost (pixels, its own memory, scans) before taking pixel memory.
        return JpegDecoder::DecodeFile(ResolveContentPath(page.PagePath()), into);
    } catch (const std::exception&) {
        // Out of memory or a path that cannot be converted: the page is
        // unreadable like any other, and the previous one stays.
        return false;
    }
}

void PresentationWindow::LoadPage()
{
    const int count = PageCount();
    if (pageIndex_ >= 0 && pageIndex_ < count)
        DecodePageFile(*presentation_->ChildAt(pageIndex_), *pageBitmap_);
    const int shown = count > 0 ? pageIndex_ + 1 : 0;
    controls_.pageLabel->setText(QStringLiteral("Strona %1 / %2").arg(shown).arg(count));
    FitToText(*controls_.pageLabel);
}

layout::Size PresentationWindow::FitPage() const
{
    return layout::FitPage({pageBitmap_->Width(), pageBitmap_->Height()},
                           {controls_.pageBox->width(), controls_.pageBox->height()});
}

void PresentationWindow::RefreshPage()
{
    if (scaledBitmap_->Width() != controls_.pageBox->width() ||
        scaledBitmap_->Height() != controls_.pageBox->height()) {
        const layout::Size fit = FitPage();
        PrepareBitmap24(scaledBitmap_, fit.width, fit.height);
    }
    if (!pageBitmap_->Empty() && !scaledBitmap_->Empty())
        StretchBitmap(scaledBitmap_.get(), pageBitmap_.get());
    controls_.pageBox->repaint();
}

void PresentationWindow::PaintPage()
{
    // Without a page picture the white of the page panel shows.
    if (scaledBitmap_->Empty())
        return;
    QPainter painter(controls_.pageBox);
    const QImage image = BitmapImage::View(*scaledBitmap_);
    const int boxWidth = controls_.pageBox->width();
    const int boxHeight = controls_.pageBox->height();
    if (image.width() == boxWidth && image.height() == boxHeight) {
        painter.drawImage(QPoint(0, 0), image);
        return;
    }
    // While a resize waits for the refresh, the last picture is stretched
    // to the new fitted size; after the refresh this is a one-to-one copy.
    const layout::Size fit = FitPage();
    painter.drawImage(QRect(layout::CentreOffset(boxWidth, fit.width), layout::CentreOffset(boxHeight, fit.height),
                            fit.width, fit.height),
                      image);
}

void PresentationWindow::ShowPreviousPage()
{
    ShowPage(pageIndex_ - 1);
}

void PresentationWindow::ShowNextPage()
{
    ShowPage(pageIndex_ + 1);
}

void PresentationWindow::ShowPage(int index)
{
    if (index < 0 || index >= PageCount() || index == pageIndex_)
        return;
    pageIndex_ = index;
    LoadPage();
    refresh_.RefreshNow();
    UpdateControls();
}

void PresentationWindow::UpdateControls()
{
    controls_.previousButton->setEnabled(pageIndex_ > 0);
    controls_.nextButton->setEnabled(pageIndex_ < PageCount() - 1);
    for (QLabel* link : {controls_.firstLink, controls_.secondLink})
        link->setVisible(pageIndex_ == 0);
}

// --- Showing, resizing and the delayed refresh ---

void PresentationWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    WindowFrame::CentreInWorkArea(*this, minimumSize());
    presentation_ = &content_.presentation;
    FitLabelsToText();
    LoadPage();
    ScheduleRefresh();
    UpdateControls();
    FocusFirstPageButton();
}

void PresentationWindow::FocusFirstPageButton()
{
    // Space then turns the page rather than pressing the close button; the
    // style marks the button as focused from the keyboard.
    for (QPushButton* button : {controls_.nextButton, controls_.previousButton}) {
        if (button->isEnabled()) {
            button->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void PresentationWindow::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        refresh_.Cancel();
}

void PresentationWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FitLabelsToText();
    if (isVisible())
        ScheduleRefresh();
}

void PresentationWindow::FitLabelsToText()
{
    // The anchors put the labels back at their design size on every resize
    // of their parents, the one Qt delivers on showing included.
    for (QLabel* label : {controls_.pageLabel, controls_.firstLink, controls_.secondLink}) {
        if (label != nullptr)
            FitToText(*label);
    }
}

void PresentationWindow::ScheduleRefresh()
{
    refresh_.Suspend();
}

bool PresentationWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == controls_.pageBox && event->type() == QEvent::Paint) {
        PaintPage();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace velmora::app
