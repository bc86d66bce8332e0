#include "app/MainWindowDescription.h"

#include <QLabel>
#include <QScrollBar>
#include <QSlider>

#include <algorithm>
#include <string_view>

#include "app/MainWindowControls.h"
#include "toolkit/Panel.h"

namespace velmora::app {
namespace {

using Kind = ControlDescription::Kind;
using Option = ControlDescription::Option;

constexpr Anchors kLeftTopRight = Anchor::Left | Anchor::Top | Anchor::Right;
constexpr Anchors kAll = Anchor::Left | Anchor::Top | Anchor::Right | Anchor::Bottom;
constexpr Anchors kTopRightBottom = Anchor::Top | Anchor::Right | Anchor::Bottom;
constexpr Anchors kLeftTopBottom = Anchor::Left | Anchor::Top | Anchor::Bottom;
constexpr Anchors kTopRight = Anchor::Top | Anchor::Right;

const QColor kButtonText(0x50, 0x50, 0x50);

template <auto Member>
ControlSlot Slot()
{
    return ControlSlot::Of<Member>();
}

FontDescription Arial(int height, bool bold = false)
{
    return FontDescription{.family = "Arial", .height = height, .bold = bold};
}

// One row per control, as the window is described.
// clang-format off
const ControlDescription kControls[] = {
    {.name = "logo", .kind = Kind::Picture, .rect = {20, 20, 76, 46}, .options = Option::HandCursor,
     .slot = Slot<&MainWindowControls::logo>()},
    {.name = "demoLabel", .kind = Kind::Label, .rect = {120, 16, 78, 32}, .text = "Demo", .font = Arial(27, true),
     .textColour = QColor(Qt::red), .options = Option::Hidden,
     .slot = Slot<&MainWindowControls::demoLabel>()},

    {.name = "centreGroup", .kind = Kind::GroupBox, .rect = {220, -3, 511, 503}, .anchors = kAll,
     .slot = Slot<&MainWindowControls::centreGroup>()},
    {.name = "titlePanel", .kind = Kind::Panel, .parent = "centreGroup", .rect = {3, 8, 505, 84},
     .anchors = kLeftTopRight, .options = Option::HandCursor,
     .slot = Slot<&MainWindowControls::titlePanel>()},
    {.name = "centrePanel", .kind = Kind::Panel, .parent = "centreGroup", .rect = {3, 93, 484, 407}, .anchors = kAll,
     .slot = Slot<&MainWindowControls::centrePanel>()},
    {.name = "centreScrollBar", .kind = Kind::VerticalScrollBar, .parent = "centreGroup", .rect = {487, 94, 20, 406},
     .anchors = kTopRightBottom,
     .slot = Slot<&MainWindowControls::centreScrollBar>()},

    {.name = "menuGroup", .kind = Kind::GroupBox, .rect = {8, 84, 208, 416}, .anchors = kLeftTopBottom,
     .slot = Slot<&MainWindowControls::menuGroup>()},
    {.name = "menuPanel", .kind = Kind::Panel, .parent = "menuGroup", .rect = {3, 8, 181, 405}, .anchors = kAll,
     .slot = Slot<&MainWindowControls::menuPanel>()},
    {.name = "menuScrollBar", .kind = Kind::VerticalScrollBar, .parent = "menuGroup", .rect = {184, 8, 20, 405},
     .anchors = kTopRightBottom,
     .slot = Slot<&MainWindowControls::menuScrollBar>()},

    {.name = "controlBar", .kind = Kind::GroupBox, .rect = {8, 500, 723, 85},
     .anchors = Anchor::Left | Anchor::Right | Anchor::Bottom, .font = Arial(16)},
    {.name = "repeatLabel", .kind = Kind::Label, .parent = "controlBar", .rect = {24, 18, 226, 18},
     .slot = Slot<&MainWindowControls::repeatLabel>()},
    {.name = "startStopPanel", .kind = Kind::Panel, .parent = "controlBar", .rect = {7, 47, 69, 30}, .bevelWidth = 2,
     .slot = Slot<&MainWindowControls::startStopPanel>()},
    {.name = "startStopLabel", .kind = Kind::Label, .parent = "startStopPanel", .rect = {3, 6, 62, 18},
     .anchors = kLeftTopRight, .text = "Start", .font = Arial(13), .textColour = kButtonText,
     .options = Option::Centred | Option::HandCursor,
     .slot = Slot<&MainWindowControls::startStopLabel>()},
    {.name = "pauseCaption", .kind = Kind::Label, .parent = "controlBar", .rect = {81, 53, 0, 0}, .text = "Odstęp:",
     .font = Arial(13)},
    {.name = "pauseSlider", .kind = Kind::HorizontalTrackBar, .parent = "controlBar", .rect = {128, 42, 134, 39},
     .slot = Slot<&MainWindowControls::pauseSlider>()},
    {.name = "pauseDivider", .kind = Kind::VerticalLine, .parent = "controlBar", .rect = {269, 12, 2, 69},
     .anchors = kLeftTopBottom},
    {.name = "volumeCaption", .kind = Kind::Label, .parent = "controlBar", .rect = {286, 18, 0, 0}, .text = "Głośność",
     .slot = Slot<&MainWindowControls::volumeCaption>()},
    {.name = "volumeMinLabel", .kind = Kind::Label, .parent = "controlBar", .rect = {279, 54, 0, 0}, .text = "0",
     .font = Arial(13),
     .slot = Slot<&MainWindowControls::volumeMinLabel>()},
    {.name = "volumeSlider", .kind = Kind::HorizontalTrackBar, .parent = "controlBar", .rect = {286, 42, 147, 36},
     .slot = Slot<&MainWindowControls::volumeSlider>()},
    {.name = "volumeMaxLabel", .kind = Kind::Label, .parent = "controlBar", .rect = {430, 54, 0, 0}, .text = "100",
     .font = Arial(13),
     .slot = Slot<&MainWindowControls::volumeMaxLabel>()},
    {.name = "volumeDivider", .kind = Kind::VerticalLine, .parent = "controlBar", .rect = {455, 13, 2, 69},
     .anchors = kLeftTopBottom},

    {.name = "helpPanel", .kind = Kind::Panel, .parent = "controlBar", .rect = {461, 15, 71, 63}, .anchors = kTopRight,
     .bevelWidth = 2,
     .slot = Slot<&MainWindowControls::helpPanel>()},
    {.name = "helpMarkLabel", .kind = Kind::Label, .parent = "helpPanel", .rect = {2, 1, 67, 31},
     .anchors = kLeftTopRight, .text = "?", .font = Arial(27, true), .textColour = kButtonText,
     .options = Option::Centred | Option::HandCursor,
     .slot = Slot<&MainWindowControls::helpMarkLabel>()},
    {.name = "helpInfoLabel", .kind = Kind::Label, .parent = "helpPanel", .rect = {2, 28, 67, 17},
     .anchors = kLeftTopRight, .text = "Informacje", .font = Arial(13), .textColour = kButtonText,
     .options = Option::Centred | Option::HandCursor,
     .slot = Slot<&MainWindowControls::helpInfoLabel>()},
    {.name = "helpMoreLabel", .kind = Kind::Label, .parent = "helpPanel", .rect = {2, 43, 67, 16},
     .anchors = kLeftTopRight, .text = "Dodatkowe", .font = Arial(13), .textColour = kButtonText,
     .options = Option::Centred | Option::HandCursor,
     .slot = Slot<&MainWindowControls::helpMoreLabel>()},

    {.name = "alphabetPanel", .kind = Kind::Panel, .parent = "controlBar", .rect = {535, 15, 108, 63},
     .anchors = kTopRight, .bevelWidth = 2,
     .slot = Slot<&MainWindowControls::alphabetPanel>()},
    {.name = "alphabetLabel", .kind = Kind::Label, .parent = "alphabetPanel", .rect = {2, 7, 104, 51},
     .anchors = kLeftTopRight, .text = "Międzynarodowy\nAlfabet\nFonetyczny", .font = Arial(13),
     .textColour = kButtonText, .options = Option::Centred | Option::HandCursor,
     .slot = Slot<&MainWindowControls::alphabetLabel>()},

    {.name = "aboutPanel", .kind = Kind::Panel, .parent = "controlBar", .rect = {646, 15, 71, 63},
     .anchors = kTopRight, .bevelWidth = 2,
     .slot = Slot<&MainWindowControls::aboutPanel>()},
    {.name = "aboutLabel", .kind = Kind::Label, .parent = "aboutPanel", .rect = {3, 14, 65, 41},
     .anchors = kLeftTopRight, .text = "O\nProgramie", .font = Arial(13), .textColour = kButtonText,
     .options = Option::Centred | Option::WordWrap | Option::HandCursor,
     .slot = Slot<&MainWindowControls::aboutLabel>()},
};
// clang-format on

}  // namespace

int MainWindowTitleBandHeight()
{
    const auto& controls = MainWindowDescription().controls;
    const auto title = std::find_if(controls.begin(), controls.end(), [](const ControlDescription& control) {
        return std::string_view(control.name) == "titlePanel";
    });
    return title->rect.height();
}

const WindowDescription& MainWindowDescription()
{
    static const WindowDescription description{
        .clientSize = {739, 590},
        .font = FontDescription{.family = "MS Sans Serif", .height = 11},
        .controls = kControls,
    };
    return description;
}

}  // namespace velmora::app
