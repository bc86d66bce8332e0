#include "app/ControlBar.h"

#include <QLabel>
#include <QSlider>

#include <vector>

#include "app/MainWindowLook.h"
#include "toolkit/MouseNotifier.h"
#include "toolkit/Panel.h"
#include "toolkit/WidgetColours.h"

namespace velmora::app::controlbar {
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

void SetUpSliders(const MainWindowControls& controls)
{
    controls.pauseSlider->setRange(0, 20);
    controls.pauseSlider->setTickInterval(2);
    controls.pauseSlider->setTickPosition(QSlider::TicksBothSides);
    controls.pauseSlider->setValue(5);

    controls.volumeSlider->setRange(0, 100);
    controls.volumeSlider->setSingleStep(2);
    controls.volumeSlider->setPageStep(10);
    controls.volumeSlider->setTickInterval(10);
    controls.volumeSlider->setTickPosition(QSlider::TicksAbove);
    controls.volumeSlider->setValue(0);
}

void ConnectButtons(const MainWindowControls& controls, const Actions& actions)
{
    MouseNotifier& startStop = MouseNotifier::On(*controls.startStopLabel);
    startStop.SetOnClick(actions.startStop);
    startStop.SetOnMouseEnter([controls, repeating = actions.repeating] {
        WidgetColours::SetBackground(*controls.startStopPanel, repeating() ? look::kRepeatOnPanel : look::kHoverPanel);
        WidgetColours::SetText(*controls.startStopLabel, look::kHoverText);
    });
    startStop.SetOnMouseLeave([controls, repeating = actions.repeating] {
        WidgetColours::SetBackground(*controls.startStopPanel, repeating() ? look::kRepeatOnPanel : look::kWindow);
        WidgetColours::SetText(*controls.startStopLabel, look::kButtonText);
    });

    LabelButton(*controls.helpPanel, {controls.helpMarkLabel, controls.helpInfoLabel, controls.helpMoreLabel},
                actions.help);
    MouseNotifier::On(*controls.titlePanel).SetOnClick(actions.help);
    MouseNotifier::On(*controls.logo).SetOnClick(actions.about);
    LabelButton(*controls.alphabetPanel, {controls.alphabetLabel}, actions.alphabet);
    LabelButton(*controls.aboutPanel, {controls.aboutLabel}, actions.about);
}

void ShowRepetition(const MainWindowControls& controls, bool on)
{
    controls.startStopLabel->setText(on ? QStringLiteral("Stop") : QStringLiteral("Start"));
    WidgetColours::SetBackground(*controls.startStopPanel, on ? look::kRepeatOnPanel : look::kWindow);
}

void ShowVolumeAvailable(const MainWindowControls& controls, bool available)
{
    controls.volumeSlider->setEnabled(available);
    for (QLabel* label : {controls.volumeCaption, controls.volumeMinLabel, controls.volumeMaxLabel})
        label->setEnabled(available);
}

}  // namespace velmora::app::controlbar
