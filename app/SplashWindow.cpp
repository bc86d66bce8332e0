#include "app/SplashWindow.h"

#include <QLabel>

#include "app/Logo.h"
#include "toolkit/Desktop.h"
#include "toolkit/FormBuilder.h"
#include "toolkit/WidgetColours.h"

namespace velmora::app {
namespace {

using Kind = ControlDescription::Kind;

const QColor kBand(97, 72, 149);
const QColor kNameShadow(Qt::darkBlue);  // navy
const QColor kName(7, 173, 228);

constexpr FontDescription kNameFont{.family = "Arial", .height = 50, .heightKind = FontDescription::Height::Cell};

// The controls the splash fills in once built.
struct SplashControls {
    QLabel* logo = nullptr;
    QLabel* versionLabel = nullptr;
};

// One row per control, as the window is described.
// clang-format off
const ControlDescription kControls[] = {
    {.name = "nameShadow", .kind = Kind::Label, .rect = {40, 24, 346, 50}, .text = "Velmora", .font = kNameFont,
     .textColour = kNameShadow},
    {.name = "logo", .kind = Kind::Picture, .rect = {325, 108, 76, 46}, .anchors = Anchor::Top | Anchor::Right,
     .slot = ControlSlot::Of<&SplashControls::logo>()},
    {.name = "name", .kind = Kind::Label, .rect = {37, 25, 347, 50}, .text = "Velmora", .font = kNameFont,
     .textColour = kName},
    {.name = "waitLabel", .kind = Kind::Label, .rect = {32, 130, 124, 19}, .text = "Proszę czekać...",
     .font = {.family = "Arial", .height = 16, .bold = true}, .textColour = QColor(Qt::darkRed)},  // maroon
    {.name = "bottomBand", .kind = Kind::Rectangle, .rect = {0, 168, 427, 9},
     .anchors = Anchor::Left | Anchor::Right | Anchor::Bottom, .background = kBand},
    {.name = "rightBand", .kind = Kind::Rectangle, .rect = {418, 0, 9, 169},
     .anchors = Anchor::Top | Anchor::Right | Anchor::Bottom, .background = kBand},
    {.name = "leftBand", .kind = Kind::Rectangle, .rect = {0, 0, 9, 169},
     .anchors = Anchor::Left | Anchor::Top | Anchor::Bottom, .background = kBand},
    {.name = "topBand", .kind = Kind::Rectangle, .rect = {0, 0, 427, 9},
     .anchors = Anchor::Left | Anchor::Top | Anchor::Right, .background = kBand},
    // The right edge stays where it was drawn; the width leaves room for
    // fonts wider than the one the window was designed with.
    {.name = "versionLabel", .kind = Kind::Label, .rect = {339, 80, 59, 13}, .anchors = Anchor::Top | Anchor::Right,
     .font = {.family = "MS Sans Serif", .height = 11}, .textColour = QColor(Qt::darkCyan),  // teal
     .options = ControlDescription::Option::RightAligned,
     .slot = ControlSlot::Of<&SplashControls::versionLabel>()},
};

const WindowDescription kDescription{
    .clientSize = {427, 177},
    .font = {.family = "MS Sans Serif", .height = 11},
    .controls = kControls,
};
// clang-format on

}  // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    const SplashControls controls = FormBuilder::Build<SplashControls>(*this, kDescription);
    WidgetColours::SetBackground(*this, QColor(43, 0, 85));
    controls.logo->setPixmap(LogoPixmap(devicePixelRatioF()));
    setWindowTitle(QString::fromUtf8(kTitle));
    controls.versionLabel->setText(QString::fromUtf8(kVersion));
    CentreOnDesktop();
}

void SplashWindow::CentreOnDesktop()
{
    const QRect area = Desktop::WorkArea(this);
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

}  // namespace velmora::app
