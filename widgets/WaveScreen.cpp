#include "widgets/WaveScreen.h"

#include <QPainter>

TWaveScreen::TWaveScreen(QWidget* parent) : QWidget(parent)
{
    resize(25, 25);
}

void TWaveScreen::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Qt::black);
}
