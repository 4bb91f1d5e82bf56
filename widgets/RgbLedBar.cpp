#include "widgets/RgbLedBar.h"

#include "widgets/RasterCanvas.h"

#include <QPainter>

#include <algorithm>

TRGB_LED_Balken::TRGB_LED_Balken(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(25, 25);
}

void TRGB_LED_Balken::SetBufferSize(int n)
{
    if (n < 0 || n == m_size) {
        return;
    }
    m_size = n;
    // Release the old arrays before making the new ones.
    std::vector<std::uint8_t>().swap(m_r);
    std::vector<std::uint8_t>().swap(m_g);
    std::vector<std::uint8_t>().swap(m_b);
    m_view = std::min(m_view, m_size);
    if (n > 0) {
        m_r.assign(static_cast<std::size_t>(n), 0);
        m_g.assign(static_cast<std::size_t>(n), 0);
        m_b.assign(static_cast<std::size_t>(n), 0);
        Repaint();
    }
}

void TRGB_LED_Balken::SetView(int v)
{
    if (v != m_view) {
        // A negative View would index before the arrays: it is stored as 0.
        m_view = std::clamp(v, 0, m_size);
        Repaint();
    }
}

void TRGB_LED_Balken::Repaint()
{
    Redraw();
    update();
}

void TRGB_LED_Balken::Redraw()
{
    if (m_image.size() != size()) {
        m_image = QImage(size(), QImage::Format_RGB32);
    }
    RasterCanvas canvas(m_image);
    canvas.FillRect(m_image.rect(), qRgb(0, 0, 0));
    canvas.SetPenMode(TPenMode::Copy);
    const int w = width();
    if (w > 0 && m_view > 0) {
        // With fewer entries than columns each entry covers a band of about w / View columns;
        // bands move left by half a band so each is centred on its entry's position.
        const int shift = (w / m_view) / 2;
        for (int c = 0; c < w; ++c) {
            const auto index = static_cast<std::size_t>(static_cast<std::int64_t>(m_view) * c / w);
            canvas.SetPenColor(qRgb(m_r[index], m_g[index], m_b[index]));
            canvas.MoveTo(c - shift, 0);
            canvas.LineTo(c - shift, height());
        }
    }
}

void TRGB_LED_Balken::Paint()
{
    if (m_image.size() != size()) {
        Repaint();
        return;
    }
    update();
}

void TRGB_LED_Balken::paintEvent(QPaintEvent*)
{
    if (m_image.size() != size()) {
        Redraw();
    }
    QPainter(this).drawImage(0, 0, m_image);
}

void TRGB_LED_Balken::resizeEvent(QResizeEvent*)
{
    emit OnResize();
}
