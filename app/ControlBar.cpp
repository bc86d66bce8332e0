#include "app/ControlBar.h"

#include <QLabel>
#include <QSlider>
#include <QTimer>

#include <cstdint>
#include <vector>

#include "app/MainWindowLook.h"
#include "app/RepeatCycle.h"
#include "sound/ClipPlayer.h"
#include "toolkit/MouseNotifier.h"
#include "toolkit/Panel.h"
#include "toolkit/WidgetColours.h"

namespace velmora::app {
namespace {

void SetHover(QWidget& panel, const std::vector<QLabel*>& labels, bool entered)
{
    for (QLabel* label : labels)
        WidgetColours::SetText(*label, entered ? look::kHoverText : look::kButtonText);
    WidgetColours::SetBackground(panel, entered ? look::kHoverPanel : look::kWindow);
}

// Labels on a panel that act as one button: any of them clicks it, and the
// pointer over any of them lights them all.
void LabelButton(Panel& panel, const std::vector<QLabel*>& labels, const std::function<void()>& onClick)
{
    for (QLabel* label : labels) {
        MouseNotifier& notifier = MouseNotifier::On(*label);
        notifier.SetOnClick(onClick);
        notifier.SetOnMouseEnter([&panel, labels] { SetHover(panel, labels, true); });
        notifier.SetOnMouseLeave([&panel, labels] { SetHover(panel, labels, false); });
    }
}

}  // namespace

ControlBar::ControlBar(const MainWindowControls& controls, ClipPlayer& player, Actions actions, QObject* parent)
    : QObject(parent), controls_(controls), player_(player), actions_(std::move(actions))
{
    SetUpSliders();
    connect(controls_.pauseSlider, &QSlider::valueChanged, this, &ControlBar::OnPauseChanged);
    connect(controls_.volumeSlider, &QSlider::valueChanged, this, &ControlBar::OnVolumeChanged);
    ConnectButtons();
}

void ControlBar::ShowStartValues()
{
    OnPauseChanged();
    std::int32_t volume = 0;
    player_.ReadVolume(volume);
    // Moving the slider writes an available volume back, so both channels
    // end equal.
    controls_.volumeSlider->setValue(volume);
    // The device opens on a thread of its own once the window is on the
    // screen, and nothing waits for it: until then the slider shows the
    // volume as set, and whether there is a device is seen once it is open.
    ShowDeviceOnceOpen();
}

void ControlBar::ShowDeviceOnceOpen()
{
    if (player_.IsOutputOpening()) {
        QTimer::singleShot(kOpeningCheckMs, this, &ControlBar::ShowDeviceOnceOpen);
        return;
    }
    // Only whether there is a device: the volume read again would be the
    // one the slider wrote, which reads back a step lower. Without one the
    // slider stands at 0, disabled.
    std::int32_t volume = 0;
    player_.ReadVolume(volume);
    if (player_.IsVolumeAvailable())
        return;
    controls_.volumeSlider->setValue(0);
    ShowVolumeAvailable(false);
}

void ControlBar::SetUpSliders()
{
    controls_.pauseSlider->setRange(0, 20);
    controls_.pauseSlider->setTickInterval(2);
    controls_.pauseSlider->setTickPosition(QSlider::TicksBothSides);
    controls_.pauseSlider->setValue(5);

    controls_.volumeSlider->setRange(0, 100);
    controls_.volumeSlider->setSingleStep(2);
    controls_.volumeSlider->setPageStep(10);
    controls_.volumeSlider->setTickInterval(10);
    controls_.volumeSlider->setTickPosition(QSlider::TicksAbove);
    controls_.volumeSlider->setValue(0);
}

void ControlBar::ConnectButtons()
{
    const MainWindowControls& controls = controls_;
    MouseNotifier& startStop = MouseNotifier::On(*controls.startStopLabel);
    startStop.SetOnClick(actions_.startStop);
    startStop.SetOnMouseEnter([controls, repeating = actions_.repeating] {
        WidgetColours::SetBackground(*controls.startStopPanel, repeating() ? look::kRepeatOnPanel : look::kHoverPanel);
        WidgetColours::SetText(*controls.startStopLabel, look::kHoverText);
    });
    startStop.SetOnMouseLeave([controls, repeating = actions_.repeating] {
        WidgetColours::SetBackground(*controls.startStopPanel, repeating() ? look::kRepeatOnPanel : look::kWindow);
        WidgetColours::SetText(*controls.startStopLabel, look::kButtonText);
    });

    LabelButton(*controls.helpPanel, {controls.helpMarkLabel, controls.helpInfoLabel, controls.helpMoreLabel},
                actions_.help);
    MouseNotifier::On(*controls.titlePanel).SetOnClick(actions_.help);
    MouseNotifier::On(*controls.logo).SetOnClick(actions_.about);
    LabelButton(*controls.alphabetPanel, {controls.alphabetLabel}, actions_.alphabet);
    LabelButton(*controls.aboutPanel, {controls.aboutLabel}, actions_.about);
}

void ControlBar::ShowRepetition(bool on)
{
    controls_.startStopLabel->setText(on ? QStringLiteral("Stop") : QStringLiteral("Start"));
    WidgetColours::SetBackground(*controls_.startStopPanel, on ? look::kRepeatOnPanel : look::kWindow);
}

void ControlBar::OnPauseChanged()
{
    controls_.repeatLabel->setText(QString::fromStdString(RepeatCycle::LabelText(controls_.pauseSlider->value())));
}

void ControlBar::OnVolumeChanged()
{
    if (player_.IsVolumeAvailable())
        player_.SetVolume(controls_.volumeSlider->value());
}

void ControlBar::ShowVolumeAvailable(bool available)
{
    controls_.volumeSlider->setEnabled(available);
    for (QLabel* label : {controls_.volumeCaption, controls_.volumeMinLabel, controls_.volumeMaxLabel})
        label->setEnabled(available);
}

}  // namespace velmora::app
