#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <vector>

// A horizontal strip of colours, one per entry of three channel arrays (red, green, blue),
// spreading entries 0..View-1 across its width. Drawn into an off-screen image of its own.
class TRGB_LED_Balken : public QWidget {
    Q_OBJECT
public:
    explicit TRGB_LED_Balken(QWidget* parent = nullptr); // 25 x 25 px, Size 0, View 0

    int Size() const { return m_size; }
    // Negative or equal: nothing. Otherwise replaces the arrays by n zero entries each (none for
    // 0), lowers View to the new Size, and refreshes when n > 0.
    void SetBufferSize(int n);
    int View() const { return m_view; }
    // A different value is stored limited to 0..Size; refreshes.
    void SetView(int v);

    // Plain stores of the low 8 bits for 0 <= index < Size; no redraw.
    void SetBufferR(int index, int level) { Store(m_r, index, level); }
    void SetBufferG(int index, int level) { Store(m_g, index, level); }
    void SetBufferB(int index, int level) { Store(m_b, index, level); }
    // The stored entry, 0 outside the arrays.
    int GetBufferR(int index) const { return Load(m_r, index); }
    int GetBufferG(int index) const { return Load(m_g, index); }
    int GetBufferB(int index) const { return Load(m_b, index); }

    // Redraws the image at the widget's size and shows it (to refresh the bar means this).
    void Repaint();
    // Shows the image, redrawing first when the widget's size changed.
    void Paint();

    // The image as last drawn (empty until the first Repaint or paint).
    const QImage& image() const { return m_image; }

signals:
    void OnResize();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Redraw(); // the image only, without scheduling a paint
    void Store(std::vector<std::uint8_t>& channel, int index, int level)
    {
        if (index >= 0 && index < m_size) {
            channel[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(level & 0xFF);
        }
    }
    int Load(const std::vector<std::uint8_t>& channel, int index) const
    {
        return (index >= 0 && index < m_size) ? channel[static_cast<std::size_t>(index)] : 0;
    }

    int m_size = 0;
    int m_view = 0;
    std::vector<std::uint8_t> m_r;
    std::vector<std::uint8_t> m_g;
    std::vector<std::uint8_t> m_b;
    QImage m_image;
};
