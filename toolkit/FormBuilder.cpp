#include "toolkit/FormBuilder.h"

#include "toolkit/AnchorLayout.h"
#include "toolkit/LinkLabel.h"
#include "toolkit/Panel.h"
#include "toolkit/ScrollBar.h"
#include "toolkit/TrackBar.h"
#include "toolkit/WidgetColours.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextEdit>

#include <map>

namespace velmora {

namespace {

using Kind = ControlDescription::Kind;
using Option = ControlDescription::Option;

QFrame* NewFrame(QFrame::Shape shape, QFrame::Shadow shadow)
{
    auto* frame = new QFrame;
    frame->setFrameStyle(shape | shadow);
    return frame;
}

QTextEdit* NewMemo()
{
    auto* memo = new QTextEdit;
    memo->setReadOnly(true);
    memo->setFrameStyle(QFrame::NoFrame);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    memo->setPalette(palette);
    return memo;
}

QWidget* NewStandardControl(Kind kind)
{
    switch (kind) {
    case Kind::Panel: return new Panel;
    case Kind::GroupBox: return new QGroupBox;
    case Kind::Label:
    case Kind::Picture: return new QLabel;
    case Kind::Link: return new LinkLabel;
    case Kind::PaintBox: return new QWidget;
    case Kind::VerticalScrollBar: {
        auto* bar = new ScrollBar(Qt::Vertical);
        bar->setFocusPolicy(Qt::StrongFocus);
        return bar;
    }
    case Kind::HorizontalTrackBar: return new TrackBar;
    case Kind::VerticalLine: return NewFrame(QFrame::VLine, QFrame::Sunken);
    case Kind::Rectangle: return NewFrame(QFrame::NoFrame, QFrame::Plain);
    case Kind::Button: return new QPushButton;
    case Kind::RadioButton: return new QRadioButton;
    case Kind::CheckBox: return new QCheckBox;
    case Kind::Memo: return NewMemo();
    }
    return new QWidget;
}

Qt::Alignment HorizontalAlignment(ControlDescription::Options options)
{
    if (options.testFlag(Option::Centred))
        return Qt::AlignHCenter;
    if (options.testFlag(Option::RightAligned))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

void AlignAllParagraphs(QTextEdit& memo, Qt::Alignment alignment)
{
    QTextCursor cursor(memo.document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(alignment);
    cursor.mergeBlockFormat(format);
}

// Text and alignment, by what the widget turned out to be (a factory may
// return a subclass of a standard control).
void ApplyText(QWidget& widget, const ControlDescription& control)
{
    const QString text = QString::fromUtf8(control.text != nullptr ? control.text : "");
    const Qt::Alignment horizontal = HorizontalAlignment(control.options);
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        label->setText(text);
        label->setAlignment(horizontal | Qt::AlignTop);
        label->setWordWrap(control.options.testFlag(Option::WordWrap));
    } else if (auto* memo = qobject_cast<QTextEdit*>(&widget)) {
        memo->setPlainText(text);
        AlignAllParagraphs(*memo, horizontal);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
        group->setTitle(text);
    } else if (auto* panel = qobject_cast<Panel*>(&widget)) {
        panel->SetCaption(text);
    }
}

void ApplyLook(QWidget& widget, const ControlDescription& control, const QWidget& parent)
{
    if (control.font.IsSet())
        widget.setFont(control.font.ApplyTo(parent.font()));
    if (control.textColour)
        WidgetColours::SetText(widget, *control.textColour);
    if (control.background)
        WidgetColours::SetBackground(widget, *control.background);
    if (auto* panel = qobject_cast<Panel*>(&widget))
        panel->SetBevelWidth(control.bevelWidth);
    if (control.options.testFlag(Option::HandCursor))
        widget.setCursor(Qt::PointingHandCursor);
    if (control.options.testFlag(Option::Disabled))
        widget.setEnabled(false);
}

// Fills in an empty width or height from the control's own size hint.
QRect DesignRect(QWidget& widget, const QRect& rect)
{
    if (rect.width() > 0 && rect.height() > 0)
        return rect;
    widget.adjustSize();
    return QRect(rect.topLeft(), QSize(rect.width() > 0 ? rect.width() : widget.width(),
                                       rect.height() > 0 ? rect.height() : widget.height()));
}

struct BuiltParent {
    QWidget* widget;
    QSize designSize;
};

}  // namespace

void FormBuilder::Build(QWidget& window, const WindowDescription& description, const Factory& factory, void* controls,
                        const std::type_info& owner)
{
    window.resize(description.clientSize);
    if (description.font.IsSet())
        window.setFont(description.font.ApplyTo(window.font()));

    std::map<std::string, BuiltParent, std::less<>> built;
    for (const ControlDescription& control : description.controls) {
        BuiltParent parent{&window, description.clientSize};
        if (control.parent != nullptr) {
            const auto found = built.find(std::string_view(control.parent));
            if (found == built.end())
                throw std::invalid_argument(std::string("control ") + control.name + ": parent " + control.parent +
                                            " is not an earlier control");
            parent = found->second;
        }
        QWidget* widget = factory ? factory(control) : nullptr;
        if (widget == nullptr)
            widget = NewStandardControl(control.kind);
        widget->setParent(parent.widget);
        widget->setObjectName(QString::fromUtf8(control.name));
        ApplyLook(*widget, control, *parent.widget);
        ApplyText(*widget, control);
        const QRect designRect = DesignRect(*widget, control.rect);
        AnchorLayout::On(*parent.widget, parent.designSize).Add(*widget, designRect, control.anchors);
        if (control.options.testFlag(Option::Hidden))
            widget->hide();
        else if (parent.widget->isVisible())
            widget->show();
        if (control.slot.IsSet())
            control.slot.Fill(controls, owner, *widget);
        built.insert_or_assign(control.name, BuiltParent{widget, designRect.size()});
    }
}

}  // namespace velmora
