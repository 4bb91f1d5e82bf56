#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// One colour shown as a plain filled rectangle, drawn into an off-screen image of its own.
class TRGB_LED : public QWidget {
    Q_OBJECT
public:
    explicit TRGB_LED(QWidget* parent = nullptr); // 25 x 25 px, white

    QColor LEDColor() const { return QColor(m_color); }
    // Stores a different colour and repaints; an equal colour does nothing.
    void SetLEDColor(const QColor& color);
    // Redraws the image at the widget's size and shows it.
    void Repaint();
    // Shows the image (redrawing first when the widget's size changed since).
    void Paint();

    // The image as last drawn (empty until the first Repaint or paint).
    const QImage& image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Redraw(); // the image only, without scheduling a paint
    QRgb m_color;
    QImage m_image;
};
