#pragma once

#include "toolkit/Anchor.h"
#include "toolkit/ControlSlot.h"
#include "toolkit/FontDescription.h"

#include <QColor>
#include <QFlags>
#include <QRect>

#include <optional>

namespace velmora {

// One control of a window description: what it is, where it sits at the
// window's design size, which edges it follows, and how it looks. Rows are
// written with designated initialisers, leaving defaults out:
//   {.name = "startLabel", .kind = ControlDescription::Kind::Label, .parent = "startPanel",
//    .rect = {3, 6, 62, 18}, .anchors = Anchor::Left | Anchor::Top | Anchor::Right,
//    .text = "Start", .font = {.family = "Arial", .height = 13},
//    .textColour = QColor(0x505050), .options = ControlDescription::Option::Centred}
struct ControlDescription {
    enum class Kind : unsigned char {
        Panel,               // toolkit Panel (a frame with an optional bevel)
        GroupBox,            // QGroupBox; children keep coordinates from its top-left
        Label,               // QLabel; an empty size makes it size itself to its text
        Link,                // LinkLabel, a QLabel that screen readers may see as a link
        Picture,             // QLabel that shows a pixmap the window sets
        PaintBox,            // plain QWidget the window paints
        VerticalScrollBar,   // ScrollBar, takes focus on click and Tab
        HorizontalTrackBar,  // TrackBar; range and ticks are set by the window
        VerticalLine,        // sunken vertical QFrame line
        Rectangle,           // filled QFrame in the background colour
        Button,              // QPushButton
        RadioButton,         // QRadioButton
        CheckBox,            // QCheckBox
        Memo,                // read-only QPlainTextEdit, no frame, parent's background
    };

    enum class Option : unsigned {
        Centred = 1,
        RightAligned = 2,
        WordWrap = 4,
        HandCursor = 8,
        Hidden = 16,
        Disabled = 32,
    };
    using Options = QFlags<Option>;

    const char* name = "";
    Kind kind = Kind::Panel;
    const char* parent = nullptr;                  // an earlier row's name; null: the window
    QRect rect;                                    // design rectangle in the parent's coordinates
    Anchors anchors = Anchor::Left | Anchor::Top;  // {} anchors nothing: centred on both axes
    const char* text = nullptr;                    // UTF-8 caption ('\n' breaks lines)
    FontDescription font;                          // unset: the parent's font
    std::optional<QColor> textColour;
    std::optional<QColor> background;  // unset: the parent's colour shows through
    int bevelWidth = 0;                // panels: a raised bevel this many pixels wide
    Options options;
    ControlSlot slot;  // unset: the window never reaches the control after building it
};

}  // namespace velmora

Q_DECLARE_OPERATORS_FOR_FLAGS(velmora::ControlDescription::Options)
