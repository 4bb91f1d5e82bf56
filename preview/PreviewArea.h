#pragma once

#include <QWidget>

class QFrame;
class QSlider;
class TRGB_LED_Balken;
class TWaveScreen;

// The bottom of the window: the track bar above the black scope panel that holds
// the LED bar and the wave screen.
class PreviewArea : public QWidget {
    Q_OBJECT
public:
    explicit PreviewArea(QWidget* parent = nullptr);

    QSlider* TrackBar1;
    QFrame* Panel1;
    TRGB_LED_Balken* RGB_LED_Balken1;
    TWaveScreen* WaveScreen1;

protected:
    void resizeEvent(QResizeEvent* event) override;
};
