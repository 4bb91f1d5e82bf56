#pragma once

#include <QWidget>

class QFrame;
class QSlider;
class TRGB_LED_Balken;
class TWaveScreen;

// The bottom of the window: the track bar above the black scope panel that holds the LED bar
// and the wave screen. The screen gets its settings here; the LED bar stands above the screen's
// plot area and spans exactly its columns, so both show the same ticks at the same x.
class PreviewArea : public QWidget {
    Q_OBJECT
public:
    static constexpr int Samples = 65536;    // one sample per tick, ticks 0..65535
    static constexpr int TrackHeight = 26;
    static constexpr int WaveHeight = 373;
    static constexpr int BarHeight = 19;
    static constexpr int BarTop = 2;         // below the panel's frame

    explicit PreviewArea(QWidget* parent = nullptr);

    QSlider* TrackBar1;
    QFrame* Panel1;
    TRGB_LED_Balken* RGB_LED_Balken1;
    TWaveScreen* WaveScreen1;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void setUpWaveScreen();
    void placeScope();
};
