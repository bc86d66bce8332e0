#include "toolkit/FormBuilder.h"

#include "toolkit/AnchorLayout.h"
#include "toolkit/Panel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTextCursor>
#include <QTextEdit>

#include <map>

namespace velmora {

namespace {

using Kind = ControlSpec::Kind;
using Option = ControlSpec::Option;

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
    case Kind::PaintBox: return new QWidget;
    case Kind::VerticalScrollBar: {
        auto* bar = new QScrollBar(Qt::Vertical);
        bar->setFocusPolicy(Qt::StrongFocus);
        return bar;
    }
    case Kind::HorizontalTrackBar: return new QSlider(Qt::Horizontal);
    case Kind::VerticalLine: return NewFrame(QFrame::VLine, QFrame::Sunken);
    case Kind::Rectangle: return NewFrame(QFrame::NoFrame, QFrame::Plain);
    case Kind::Button: return new QPushButton;
    case Kind::RadioButton: return new QRadioButton;
    case Kind::CheckBox: return new QCheckBox;
    case Kind::Memo: return NewMemo();
    }
    return new QWidget;
}

Qt::Alignment HorizontalAlignment(ControlSpec::Options options)
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
void ApplyText(QWidget& widget, const ControlSpec& spec)
{
    const QString text = QString::fromUtf8(spec.text != nullptr ? spec.text : "");
    const Qt::Alignment horizontal = HorizontalAlignment(spec.options);
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        label->setText(text);
        label->setAlignment(horizontal | Qt::AlignTop);
        label->setWordWrap(spec.options.testFlag(Option::WordWrap));
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

void ApplyLook(QWidget& widget, const ControlSpec& spec, const QWidget& parent)
{
    if (spec.font.IsSet())
        widget.setFont(spec.font.ApplyTo(parent.font()));
    if (spec.textColour || spec.background) {
        QPalette palette = widget.palette();
        if (spec.textColour) {
            for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                palette.setColor(role, *spec.textColour);
        }
        if (spec.background) {
            palette.setColor(QPalette::Window, *spec.background);
            widget.setAutoFillBackground(true);
        }
        widget.setPalette(palette);
    }
    if (auto* panel = qobject_cast<Panel*>(&widget))
        panel->SetBevelWidth(spec.bevelWidth);
    if (spec.options.testFlag(Option::HandCursor))
        widget.setCursor(Qt::PointingHandCursor);
    if (spec.options.testFlag(Option::Disabled))
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

void FormBuilder::Build(QWidget& window, const WindowDescription& description, const Factory& factory)
{
    window.resize(description.clientSize);
    if (description.font.IsSet())
        window.setFont(description.font.ApplyTo(window.font()));

    std::map<std::string, BuiltParent, std::less<>> built;
    for (const ControlSpec& spec : description.controls) {
        BuiltParent parent{&window, description.clientSize};
        if (spec.parent != nullptr) {
            const auto found = built.find(std::string_view(spec.parent));
            if (found == built.end())
                throw std::invalid_argument(std::string("control ") + spec.name + ": parent " + spec.parent +
                                            " is not an earlier control");
            parent = found->second;
        }
        QWidget* widget = factory ? factory(spec) : nullptr;
        if (widget == nullptr)
            widget = NewStandardControl(spec.kind);
        widget->setParent(parent.widget);
        widget->setObjectName(QString::fromUtf8(spec.name));
        ApplyLook(*widget, spec, *parent.widget);
        ApplyText(*widget, spec);
        const QRect designRect = DesignRect(*widget, spec.rect);
        AnchorLayout::On(*parent.widget, parent.designSize).Add(*widget, designRect, spec.anchors);
        if (spec.options.testFlag(Option::Hidden))
            widget->hide();
        else if (parent.widget->isVisible())
            widget->show();
        built.insert_or_assign(spec.name, BuiltParent{widget, designRect.size()});
    }
}

}  // namespace velmora
