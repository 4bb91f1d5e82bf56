#include "widgets/RgbLedBar.h"

#include <QPainter>

TRGB_LED_Balken::TRGB_LED_Balken(QWidget* parent) : QWidget(parent)
{
    resize(25, 25);
}

void TRGB_LED_Balken::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Qt::black);
}
