#include "app/MainWindowKeyboard.h"

#include <QSlider>
#include <QWidget>

#include "toolkit/Pressable.h"
#include "toolkit/TileList.h"
#include "toolkit/WindowKeys.h"

namespace velmora::app {

MainWindowKeyboard::MainWindowKeyboard(const Controls& controls, Actions actions, const QColor& focusMark)
    : QObject(&controls.window), window_(controls.window), startStop_(controls.startStop), actions_(std::move(actions))
{
    MakeButtons(controls, focusMark);
    NameControls(controls, focusMark);
    ChainFocus(controls);
    ConnectKeys(controls);
}

QString MainWindowKeyboard::PauseText(int tenths)
{
    return QStringLiteral("%1,%2 s").arg(tenths / 10).arg(tenths % 10);
}

QString MainWindowKeyboard::VolumeText(int percent)
{
    return QStringLiteral("%1%").arg(percent);
}

void MainWindowKeyboard::SetStartStopName(const QString& caption)
{
    if (Pressable* button = Pressable::Of(startStop_))
        button->SetName(caption);
}

void MainWindowKeyboard::MakeButtons(const Controls& controls, const QColor& focusMark)
{
    using Kind = Pressable::Kind;
    const auto button = [&](QWidget& widget, const char* name, const std::function<void()>& press) {
        Pressable::Make(widget, Kind::Button, QString::fromUtf8(name), press).SetFocusMarkColour(focusMark);
    };
    button(controls.startStop, "Start", actions_.startStop);
    button(controls.help, "Informacje Dodatkowe", actions_.help);
    button(controls.alphabet, "Międzynarodowy Alfabet Fonetyczny", actions_.alphabet);
    button(controls.about, "O Programie", actions_.about);
    button(controls.logo, "Velmora", actions_.about);
    controls.logo.setAccessibleDescription(QStringLiteral("O Programie"));
}

void MainWindowKeyboard::NameControls(const Controls& controls, const QColor& focusMark)
{
    controls.menu.Panel()->setAccessibleName(QString::fromUtf8("Grupy ćwiczeń"));
    controls.centre.Panel()->setAccessibleName(QString::fromUtf8("Ćwiczenia"));
    for (TileList* list : {&controls.menu, &controls.centre}) {
        list->SetKeyboardNavigation(true);
        list->SetFocusMarkColour(focusMark);
    }
    controls.menu.SetItemName(actions_.groupName);
    controls.centre.SetItemName(actions_.itemName);
    controls.centre.SetOnActivateItem(actions_.playItem);

    controls.pause.setAccessibleName(QString::fromUtf8("Odstęp"));
    controls.volume.setAccessibleName(QString::fromUtf8("Głośność"));
    const auto describe = [](QSlider& slider, QString (*text)(int)) {
        slider.setAccessibleDescription(text(slider.value()));
        connect(&slider, &QSlider::valueChanged, &slider,
                [&slider, text](int value) { slider.setAccessibleDescription(text(value)); });
    };
    describe(controls.pause, &PauseText);
    describe(controls.volume, &VolumeText);
}

void MainWindowKeyboard::ChainFocus(const Controls& controls)
{
    // The lists' own selection scrolls them; their bars stay out of the chain.
    controls.menuScrollBar.setFocusPolicy(Qt::NoFocus);
    controls.centreScrollBar.setFocusPolicy(Qt::NoFocus);
    QWidget* order[] = {controls.menu.Panel(), controls.centre.Panel(), &controls.startStop,
                        &controls.pause,       &controls.volume,        &controls.help,
                        &controls.alphabet,    &controls.about,         &controls.logo};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void MainWindowKeyboard::ConnectKeys(const Controls& controls)
{
    QWidget& window = controls.window;
    QSlider& volume = controls.volume;
    WindowKeys::Add(window, {Qt::Key_F1}, actions_.help);
    WindowKeys::Add(window, {Qt::Key_F11}, [&window] {
        if (window.isFullScreen())
            window.showNormal();
        else
            window.showFullScreen();
    });
    WindowKeys::Add(window, {Qt::CTRL | Qt::Key_Q}, [&window] { window.close(); });
    // Before any control sees it, except a button, which keeps Space for
    // pressing itself.
    WindowKeys::Add(window, {Qt::Key_Space}, actions_.startStop);
    // A disabled slider (no volume control) takes no key either.
    const auto stepVolume = [&volume](int step) {
        if (volume.isEnabled())
            volume.setValue(volume.value() + step);
    };
    WindowKeys::Add(window, {Qt::Key_Plus, Qt::KeypadModifier | Qt::Key_Plus},
                    [stepVolume] { stepVolume(kVolumeKeyStep); });
    WindowKeys::Add(window, {Qt::Key_Minus, Qt::KeypadModifier | Qt::Key_Minus},
                    [stepVolume] { stepVolume(-kVolumeKeyStep); });
}

}  // namespace velmora::app
