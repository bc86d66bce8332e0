#pragma once

#include <QSlider>

namespace velmora {

// A horizontal track bar whose channel stops short of its ends, as desktop
// track bars' channels do: the thumb at either end stays inside the
// control, clear of the value labels placed just beyond it.
class TrackBar : public QSlider {
public:
    // The room kept free at each end of the channel, in pixels.
    static constexpr int kChannelInset = 8;

    explicit TrackBar(QWidget* parent = nullptr);

protected:
    // Painting, hit testing and dragging all take the slider's geometry from
    // here, so the narrower channel holds for all of them.
    void initStyleOption(QStyleOptionSlider* option) const override;
};

}  // namespace velmora
