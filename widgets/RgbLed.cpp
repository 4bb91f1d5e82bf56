#include "widgets/RgbLed.h"

#include "widgets/RasterCanvas.h"

#include <QPainter>

TRGB_LED::TRGB_LED(QWidget* parent) : QWidget(parent), m_color(qRgb(255, 255, 255))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(25, 25);
}

void TRGB_LED::SetLEDColor(const QColor& color)
{
    const QRgb value = OpaqueRgb(color);
    if (value != m_color) {
        m_color = value;
        Repaint();
    }
}

void TRGB_LED::Repaint()
{
    Redraw();
    update();
}

void TRGB_LED::Redraw()
{
    if (m_image.size() != size()) {
        m_image = QImage(size(), QImage::Format_RGB32);
    }
    RasterCanvas(m_image).FillRect(m_image.rect(), m_color);
}

void TRGB_LED::Paint()
{
    if (m_image.size() != size()) {
        Repaint();
        return;
    }
    update();
}

void TRGB_LED::paintEvent(QPaintEvent*)
{
    if (m_image.size() != size()) { // resized since the last redraw: never show a stale image
        Redraw();
    }
    QPainter(this).drawImage(0, 0, m_image);
}
