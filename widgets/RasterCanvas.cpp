#include "widgets/RasterCanvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

constexpr std::uint32_t kColorBits = 0x00FFFFFFu;
constexpr std::uint32_t kOpaque = 0xFF000000u;

// Per bit, a raster operation is one of four functions of the pixel bit, chosen by the pen bit.
enum BitFn : std::uint8_t { Zero, One, Same, Invert };

struct RopRow {
    BitFn penZero; // result function where the pen bit is 0
    BitFn penOne;  // result function where the pen bit is 1
};

// Indexed by TPenMode.
constexpr std::array<RopRow, 16> kRops{{
    {Zero, Zero},     // Black
    {One, One},       // White
    {Same, Same},     // Nop
    {Invert, Invert}, // Not
    {Zero, One},      // Copy
    {One, Zero},      // NotCopy
    {Invert, One},    // MergePenNot
    {Zero, Invert},   // MaskPenNot
    {One, Same},      // MergeNotPen
    {Same, Zero},     // MaskNotPen
    {Same, One},      // Merge
    {Invert, Zero},   // NotMerge
    {Zero, Same},     // Mask
    {One, Invert},    // NotMask
    {Same, Invert},   // Xor
    {Invert, Same},   // NotXor
}};

constexpr std::uint32_t AndBitsOf(BitFn f) { return (f == Same || f == Invert) ? kColorBits : 0u; }
constexpr std::uint32_t XorBitsOf(BitFn f) { return (f == One || f == Invert) ? kColorBits : 0u; }

inline void Put(std::uint32_t* p, RasterCanvas::Op op)
{
    *p = ((*p & op.andMask) ^ op.xorMask) | kOpaque;
}

// Floor division for a positive divisor.
inline std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b) != 0 && a < 0) {
        --q;
    }
    return q;
}

inline std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

__extension__ using Wide = __int128;

// Columns covered by one row of an ellipse: [first, last], empty when first > last.
struct Span {
    std::int64_t first = 1;
    std::int64_t last = 0;
    bool Contains(std::int64_t c) const { return c >= first && c <= last; }
};

} // namespace

RasterCanvas::RasterCanvas(QImage& image)
{
    Q_ASSERT(image.format() == QImage::Format_RGB32 || image.isNull());
    m_width = image.width();
    m_height = image.height();
    if (!image.isNull()) {
        m_bits = reinterpret_cast<std::uint32_t*>(image.bits());
        m_stride = image.bytesPerLine() / 4;
    }
}

RasterCanvas::Op RasterCanvas::OpFor(TPenMode mode, QRgb color)
{
    const RopRow row = kRops[static_cast<std::size_t>(mode)];
    const std::uint32_t pen = color & kColorBits;
    const std::uint32_t notPen = ~pen & kColorBits;
    return Op{(notPen & AndBitsOf(row.penZero)) | (pen & AndBitsOf(row.penOne)),
              (notPen & XorBitsOf(row.penZero)) | (pen & XorBitsOf(row.penOne))};
}

QRgb RasterCanvas::Apply(TPenMode mode, QRgb pixel, QRgb color)
{
    const Op op = OpFor(mode, color);
    return ((pixel & op.andMask) ^ op.xorMask) | kOpaque;
}

void RasterCanvas::Plot(int x, int y)
{
    if (x >= 0 && y >= 0 && x < m_width && y < m_height) {
        Put(Row(y) + x, OpFor(m_mode, m_pen));
    }
}

void RasterCanvas::VerticalRun(int x, int y0, int y1, Op op)
{
    if (x < 0 || x >= m_width) {
        return;
    }
    y0 = std::max(y0, 0);
    y1 = std::min(y1, m_height);
    if (y0 >= y1) {
        return;
    }
    std::uint32_t* p = Row(y0) + x;
    for (int y = y0; y < y1; ++y, p += m_stride) {
        Put(p, op);
    }
}

void RasterCanvas::HorizontalRun(int y, int x0, int x1, Op op)
{
    if (y < 0 || y >= m_height) {
        return;
    }
    x0 = std::max(x0, 0);
    x1 = std::min(x1, m_width);
    if (x0 >= x1) {
        return;
    }
    std::uint32_t* p = Row(y);
    for (int x = x0; x < x1; ++x) {
        Put(p + x, op);
    }
}

void RasterCanvas::LineTo(int x, int y)
{
    const QPoint from = m_pos;
    m_pos = QPoint(x, y);
    if (m_bits == nullptr) {
        return;
    }
    const Op op = OpFor(m_mode, m_pen);
    const std::int64_t dx = static_cast<std::int64_t>(x) - from.x();
    const std::int64_t dy = static_cast<std::int64_t>(y) - from.y();
    if (dx == 0 && dy == 0) {
        return;
    }
    // The common cases of the wave screen and the grid: straight runs.
    if (dx == 0) {
        if (dy > 0) {
            VerticalRun(x, from.y(), y, op);
        } else {
            VerticalRun(x, y + 1, from.y() + 1, op);
        }
        return;
    }
    if (dy == 0) {
        if (dx > 0) {
            HorizontalRun(y, from.x(), x, op);
        } else {
            HorizontalRun(y, x + 1, from.x() + 1, op);
        }
        return;
    }

    // Bresenham along the major axis: step i (0..n-1) puts the minor coordinate at
    // round(i * minorDelta / n), halves rounded towards the end point.
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const std::int64_t n = xMajor ? std::abs(dx) : std::abs(dy);
    const std::int64_t m = xMajor ? std::abs(dy) : std::abs(dx);
    const int majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int minorStep = (xMajor ? dy : dx) > 0 ? 1 : -1;
    const std::int64_t major0 = xMajor ? from.x() : from.y();
    const std::int64_t minor0 = xMajor ? from.y() : from.x();
    const std::int64_t majorLimit = xMajor ? m_width : m_height;
    const std::int64_t minorLimit = xMajor ? m_height : m_width;

    // Clip the steps to those whose major coordinate lies inside the image ...
    std::int64_t iFirst = 0;
    std::int64_t iLast = n - 1;
    if (majorStep > 0) {
        iFirst = std::max(iFirst, -major0);
        iLast = std::min(iLast, majorLimit - 1 - major0);
    } else {
        iFirst = std::max(iFirst, major0 - (majorLimit - 1));
        iLast = std::min(iLast, major0);
    }
    // ... and whose minor offset keeps the minor coordinate inside: offset in [lo, hi].
    // The offset never decreases, so each bound gives one limit on i:
    // offset(i) >= lo  <=>  2im + n >= 2n lo;  offset(i) <= hi  <=>  2im + n < 2n (hi + 1).
    const std::int64_t lo = minorStep > 0 ? -minor0 : minor0 - (minorLimit - 1);
    const std::int64_t hi = minorStep > 0 ? minorLimit - 1 - minor0 : minor0;
    if (hi < 0 || lo > hi) {
        return;
    }
    const Wide twoN = Wide(2) * n;
    const Wide twoM = Wide(2) * m;
    if (lo > 0) {
        const Wide need = twoN * lo - n;
        iFirst = std::max<std::int64_t>(iFirst, static_cast<std::int64_t>((need + twoM - 1) / twoM));
    }
    const Wide bound = twoN * (hi + 1) - n; // 2im < bound
    const Wide lastFitting = (bound + twoM - 1) / twoM - 1;
    if (lastFitting < iLast) {
        iLast = static_cast<std::int64_t>(lastFitting);
    }
    if (iFirst > iLast) {
        return;
    }

    // Every step from here on is inside the image: walk by offsets in the pixel array.
    const Wide num = twoM * iFirst + n; // minor offset = num / twoN
    const std::int64_t offset = static_cast<std::int64_t>(num / twoN);
    std::int64_t rem = static_cast<std::int64_t>(num % twoN);
    const std::int64_t twoNn = 2 * n;
    const std::int64_t twoMm = 2 * m;
    const std::int64_t x0 = xMajor ? major0 + majorStep * iFirst : minor0 + minorStep * offset;
    const std::int64_t y0 = xMajor ? minor0 + minorStep * offset : major0 + majorStep * iFirst;
    const std::ptrdiff_t majorStride = xMajor ? majorStep : majorStep * m_stride;
    const std::ptrdiff_t minorStride = xMajor ? minorStep * m_stride : minorStep;
    std::ptrdiff_t at = static_cast<std::ptrdiff_t>(y0) * m_stride + static_cast<std::ptrdiff_t>(x0);
    for (std::int64_t i = iFirst; i <= iLast; ++i) {
        Put(m_bits + at, op);
        at += majorStride;
        rem += twoMm;
        if (rem >= twoNn) {
            rem -= twoNn;
            at += minorStride;
        }
    }
}

void RasterCanvas::FillRect(const QRect& rect, QRgb color)
{
    if (rect.isEmpty() || m_bits == nullptr) {
        return; // an inverted rectangle fills nothing
    }
    const QRect area = rect & QRect(0, 0, m_width, m_height);
    if (area.isEmpty()) {
        return;
    }
    const std::uint32_t value = (color & kColorBits) | kOpaque;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::uint32_t* row = Row(y);
        std::fill(row + area.left(), row + area.right() + 1, value);
    }
}

void RasterCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    if (x2 < x1) {
        std::swap(x1, x2);
    }
    if (y2 < y1) {
        std::swap(y1, y2);
    }
    const std::int64_t w = static_cast<std::int64_t>(x2) - x1;
    const std::int64_t h = static_cast<std::int64_t>(y2) - y1;
    if (w <= 0 || h <= 0 || m_bits == nullptr) {
        return;
    }
    // A pixel (c, r) is inside when its centre lies in the ellipse inscribed in the box:
    // u^2 h^2 + v^2 w^2 <= w^2 h^2 with u = 2c + 1 - (x1 + x2), v = 2r + 1 - (y1 + y2).
    const Wide ww = Wide(w) * w;
    const Wide hh = Wide(h) * h;
    const std::int64_t sx = static_cast<std::int64_t>(x1) + x2;
    const std::int64_t sy = static_cast<std::int64_t>(y1) + y2;
    auto rowSpan = [&](std::int64_t r) {
        Span s;
        if (r < y1 || r >= y2) {
            return s;
        }
        const std::int64_t v = 2 * r + 1 - sy;
        const Wide rhs = ww * hh - Wide(v) * v * ww;
        if (rhs < 0) {
            return s;
        }
        auto fits = [&](std::int64_t u) { return Wide(u) * u * hh <= rhs; };
        std::int64_t u = static_cast<std::int64_t>(std::sqrt(static_cast<long double>(rhs) / static_cast<long double>(hh)));
        while (fits(u + 1)) {
            ++u;
        }
        while (u > 0 && !fits(u)) {
            --u;
        }
        // Column c has u = 2c + 1 - sx; keep those with |u| within the bound.
        s.first = CeilDiv(sx - 1 - u, 2);
        s.last = FloorDiv(sx - 1 + u, 2);
        return s;
    };

    const Op penOp = OpFor(m_mode, m_pen);
    const Op fillOp = OpFor(m_mode, m_fill);
    const int rowFirst = std::max(y1, 0);
    const int rowLast = std::min(y2 - 1, m_height - 1);
    for (int r = rowFirst; r <= rowLast; ++r) {
        const Span here = rowSpan(r);
        if (here.first > here.last) {
            continue;
        }
        const Span above = rowSpan(r - 1);
        const Span below = rowSpan(r + 1);
        const std::int64_t cFirst = std::max<std::int64_t>(here.first, 0);
        const std::int64_t cLast = std::min<std::int64_t>(here.last, m_width - 1);
        std::uint32_t* row = Row(r);
        for (std::int64_t c = cFirst; c <= cLast; ++c) {
            const bool edge = c == here.first || c == here.last || !above.Contains(c) || !below.Contains(c);
            Put(row + c, edge ? penOp : fillOp);
        }
    }
}
