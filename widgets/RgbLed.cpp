#include "widgets/RgbLed.h"

#include <QPainter>

TRGB_LED::TRGB_LED(QWidget* parent) : QWidget(parent)
{
    resize(25, 25);
}

void TRGB_LED::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Qt::black);
}
