#include "app/AboutWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTextEdit>

#include "toolkit/FormBuilder.h"
#include "toolkit/MouseNotifier.h"
#include "toolkit/Pressable.h"
#include "toolkit/WidgetColours.h"
#include "toolkit/WindowFrame.h"

namespace velmora::app {
namespace {

using Kind = ControlDescription::Kind;
using Option = ControlDescription::Option;

constexpr Anchors kLeftTopRight = Anchor::Left | Anchor::Top | Anchor::Right;
constexpr FontDescription kNameFont{.family = "Arial", .height = 50, .heightKind = FontDescription::Height::Cell};
constexpr FontDescription kHeadingFont{.family = "Arial", .height = 13, .bold = true};
constexpr FontDescription kLinkFont{.family = "Arial", .height = 13, .underline = true};
const QColor kWindowColour(231, 235, 241);

constexpr char kContactLines[] = "Zespół Velmora\n"
                                 "ul. Przykładowa 1\n"
                                 "00-000 Przykładowo\n"
                                 "\n"
                                 "tel. kom. 000 000 000\n"
                                 "tel. kom. 000 000 001";
constexpr char kCreditRoles[] = "Opracowanie merytoryczne:\nOpracowanie medialne:\nProgramista:";
constexpr char kCredited[] = "Redakcja Velmora\nStudio Velmora\nZespół Velmora";

// One row per control, as the window is described.
// clang-format off
const ControlDescription kControls[] = {
    // The navy name behind, three pixels to the right and one up, is its shadow.
    {.name = "nameShadow", .kind = Kind::Label, .rect = {40, 8, 383, 50}, .text = "Velmora", .font = kNameFont,
     .textColour = QColor(Qt::darkBlue), .options = Option::Centred},
    {.name = "name", .kind = Kind::Label, .rect = {37, 9, 383, 50}, .text = "Velmora", .font = kNameFont,
     .textColour = QColor(7, 173, 228), .options = Option::Centred},
    {.name = "rightsNotice", .kind = Kind::Label, .rect = {0, 96, 463, 16}, .anchors = kLeftTopRight,
     .text = "© 2024 Wszelkie prawa zastrzeżone.", .options = Option::Centred},
    {.name = "rightsHolder", .kind = Kind::Label, .rect = {0, 80, 463, 16}, .anchors = kLeftTopRight,
     .text = "Właściciel praw: Zespół Velmora", .options = Option::Centred},
    {.name = "contactHeading", .kind = Kind::Label, .rect = {0, 138, 463, 16}, .anchors = kLeftTopRight,
     .text = "Kontakt", .font = kHeadingFont, .options = Option::Centred},
    {.name = "creditsHeading", .kind = Kind::Label, .rect = {0, 314, 463, 16}, .anchors = kLeftTopRight,
     .text = "Autorzy", .font = kHeadingFont, .options = Option::Centred},
    {.name = "versionLabel", .kind = Kind::Label, .rect = {40, 61, 385, 16}, .options = Option::Centred,
     .slot = ControlSlot::Of<&AboutWindow::Controls::versionLabel>()},
    {.name = "webLink", .kind = Kind::Link, .rect = {0, 258, 463, 20}, .anchors = kLeftTopRight,
     .text = AboutWindow::kWebAddress, .font = kLinkFont, .textColour = QColor(Qt::blue),
     .options = Option::Centred | Option::HandCursor,
     .slot = ControlSlot::Of<&AboutWindow::Controls::webLink>()},
    {.name = "mailLink", .kind = Kind::Link, .rect = {0, 277, 463, 20}, .anchors = kLeftTopRight,
     .text = AboutWindow::kMailAddress, .font = kLinkFont, .textColour = QColor(Qt::blue),
     .options = Option::Centred | Option::HandCursor,
     .slot = ControlSlot::Of<&AboutWindow::Controls::mailLink>()},
    {.name = "contactLines", .kind = Kind::Memo, .rect = {0, 160, 463, 100}, .anchors = kLeftTopRight,
     .text = kContactLines, .options = Option::Centred,
     .slot = ControlSlot::Of<&AboutWindow::Controls::contactLines>()},
    {.name = "creditRoles", .kind = Kind::Memo, .rect = {64, 336, 169, 73}, .text = kCreditRoles,
     .options = Option::RightAligned,
     .slot = ControlSlot::Of<&AboutWindow::Controls::creditRoles>()},
    {.name = "credited", .kind = Kind::Memo, .rect = {240, 336, 169, 73}, .text = kCredited,
     .slot = ControlSlot::Of<&AboutWindow::Controls::credited>()},
    {.name = "okButton", .kind = Kind::Button, .rect = {184, 410, 89, 25}, .text = "OK",
     .slot = ControlSlot::Of<&AboutWindow::Controls::okButton>()},
};

const WindowDescription kDescription{
    .clientSize = {463, 450},
    .font = {.family = "Arial", .height = 13},
    .controls = kControls,
};
// clang-format on

}  // namespace

AboutWindow::AboutWindow(QWidget* parent, DesktopServices services) : QDialog(parent), services_(std::move(services))
{
    controls_ = FormBuilder::Build<Controls>(*this, kDescription);
    setWindowTitle(QString::fromUtf8(kCaption));
    WidgetColours::SetBackground(*this, kWindowColour);
    // A dialog border: fixed size.
    setFixedSize(size());
    controls_.versionLabel->setText(QString::fromUtf8(kVersion));

    controls_.okButton->setDefault(true);
    connect(controls_.okButton, &QPushButton::clicked, this, &QDialog::accept);
    Pressable::MakeButton(*controls_.okButton, Qt::blue);
    QLabel& webLink = *controls_.webLink;
    QLabel& mailLink = *controls_.mailLink;
    QWidget* order[] = {controls_.okButton,    &webLink,          &mailLink, controls_.contactLines,
                        controls_.creditRoles, controls_.credited};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    // The credit columns are narrow: their lines must neither wrap nor lose
    // pixels to the text box's inner margin.
    for (QTextEdit* memo : {controls_.creditRoles, controls_.credited}) {
        memo->document()->setDocumentMargin(0);
        memo->setLineWrapMode(QTextEdit::NoWrap);
    }
    MouseNotifier::On(webLink).SetOnClick([this] { OpenWebPage(); });
    MouseNotifier::On(mailLink).SetOnClick([this] { WriteMail(); });
    Pressable::Make(webLink, Pressable::Kind::Link, webLink.text(), [this] {
        OpenWebPage();
    }).SetFocusMarkColour(Qt::blue);
    Pressable::Make(mailLink, Pressable::Kind::Link, mailLink.text(), [this] {
        WriteMail();
    }).SetFocusMarkColour(Qt::blue);
}

void AboutWindow::OpenWebPage()
{
    services_.open(QString::fromUtf8(kWebAddress));
}

void AboutWindow::WriteMail()
{
    services_.open(
        QStringLiteral("mailto:%1?subject=%2").arg(QString::fromUtf8(kMailAddress), QString::fromUtf8(kMailSubject)));
}

void AboutWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    WindowFrame::CentreInWorkArea(*this, size());
    services_.beep();
    controls_.okButton->setFocus();
}

}  // namespace velmora::app
