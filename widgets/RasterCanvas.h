#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <cstdint>

// The sixteen two-operand raster operations of a pen over the pixel under it.
// Only the 24-bit colour value takes part; the alpha byte of a written pixel stays 0xFF.
enum class TPenMode : std::uint8_t {
    Black,       // 0
    White,       // 1
    Nop,         // pixel
    Not,         // NOT pixel
    Copy,        // pen
    NotCopy,     // NOT pen
    MergePenNot, // pen OR NOT pixel
    MaskPenNot,  // pen AND NOT pixel
    MergeNotPen, // NOT pen OR pixel
    MaskNotPen,  // NOT pen AND pixel
    Merge,       // pen OR pixel
    NotMerge,    // NOT (pen OR pixel)
    Mask,        // pen AND pixel
    NotMask,     // NOT (pen AND pixel)
    Xor,         // pen XOR pixel
    NotXor,      // NOT (pen XOR pixel)
};

// Colours are kept as opaque 24-bit values; a colour's alpha takes no part.
inline QRgb OpaqueRgb(const QColor& color) { return color.rgb() | 0xFF000000u; }

// Pixel-exact drawing on a QImage of Format_RGB32, independent of any screen or font:
// lines that leave out their end pixel (the pen stays at the end point), raster modes,
// solid rectangle fills and filled ellipses. Everything is clipped to the image.
class RasterCanvas {
public:
    // The image must be Format_RGB32 and outlive the canvas; it is detached once here.
    explicit RasterCanvas(QImage& image);

    void SetPenColor(QRgb color) { m_pen = color & 0xFFFFFFu; }
    void SetPenMode(TPenMode mode) { m_mode = mode; }
    void SetFillColor(QRgb color) { m_fill = color & 0xFFFFFFu; }
    QRgb PenColor() const { return m_pen; }
    TPenMode PenMode() const { return m_mode; }
    QRgb FillColor() const { return m_fill; }

    void MoveTo(int x, int y) { m_pos = QPoint(x, y); }
    // Covers the pixels from the pen position up to but excluding (x, y); the pen moves there.
    void LineTo(int x, int y);
    QPoint PenPos() const { return m_pos; }

    // Solid fill of the pixels left..right, top..bottom inclusive (QRect semantics), always
    // copied; an empty or inverted rectangle fills nothing.
    void FillRect(const QRect& rect, QRgb color);

    // Filled ellipse in the box x1..x2-1, y1..y2-1 (right and bottom edges excluded): its
    // boundary pixels in the pen colour, the inside in the fill colour, both in the pen mode.
    // The pen position does not change.
    void Ellipse(int x1, int y1, int x2, int y2);

    // The small circle used for markers: the ellipse in the box x-3..x+4, y-3..y+4.
    void Circle(int x, int y) { Ellipse(x - 3, y - 3, x + 4, y + 4); }

    // One pixel in the pen colour and mode.
    void Plot(int x, int y);

    // Pixel := (pixel AND a) XOR x for the given colour; every raster mode reduces to this.
    struct Op {
        std::uint32_t andMask;
        std::uint32_t xorMask;
    };
    static Op OpFor(TPenMode mode, QRgb color);
    static QRgb Apply(TPenMode mode, QRgb pixel, QRgb color);

private:
    std::uint32_t* Row(int y) const { return m_bits + static_cast<std::ptrdiff_t>(y) * m_stride; }
    void VerticalRun(int x, int y0, int y1, Op op);   // rows y0..y1-1 (y0 <= y1), clipped
    void HorizontalRun(int y, int x0, int x1, Op op); // columns x0..x1-1 (x0 <= x1), clipped

    std::uint32_t* m_bits = nullptr;
    std::ptrdiff_t m_stride = 0; // in pixels
    int m_width = 0;
    int m_height = 0;
    QRgb m_pen = 0;
    QRgb m_fill = 0;
    TPenMode m_mode = TPenMode::Copy;
    QPoint m_pos;
};
