#pragma once

#include <QWidget>

class QScrollBar;

// The three vertical channel sliders on their light red, green and blue strips.
// A slider's channel value is 255 - position: the thumb at the bottom means 0.
class ChannelSliders : public QWidget {
    Q_OBJECT
public:
    explicit ChannelSliders(QWidget* parent = nullptr);

    QScrollBar* ScrollBar_Red;
    QScrollBar* ScrollBar_Green;
    QScrollBar* ScrollBar_Blue;
    QScrollBar* bar(int channel) const;
};
