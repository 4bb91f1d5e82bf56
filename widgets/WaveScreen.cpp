#include "widgets/WaveScreen.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

using i64 = std::int64_t;
__extension__ using Wide = __int128;

// max(lo, min(v, hi)): an empty range (hi < lo) gives lo.
template <typename T> T Limit(T v, T lo, T hi) { return std::max(lo, std::min(v, hi)); }

// Truncation toward zero that cannot overflow: NaN and huge values end at a far-off bound.
int TruncToInt(double v)
{
    constexpr double kBound = 1.0e9;
    if (!(v > -kBound)) {
        return -static_cast<int>(kBound);
    }
    if (v > kBound) {
        return static_cast<int>(kBound);
    }
    return static_cast<int>(v);
}

// Nearest integer, exact halves to the even neighbour (the default rounding mode).
int RoundToInt(double v) { return TruncToInt(std::nearbyint(v)); }

int SaturatingAdd(int a, int b) { return static_cast<int>(Limit<i64>(i64(a) + b, INT_MIN, INT_MAX)); }

// Calls draw(extent * k / n), truncated, for k = kFirst..kLast. When the steps are closer than
// one pixel every value between the first and the last is hit, so each is drawn once instead
// of looping over a huge n. n <= 0 draws nothing (a line count of 0 has no lines).
template <typename Draw> void GridSteps(i64 extent, i64 n, i64 kFirst, i64 kLast, Draw draw)
{
    if (n <= 0 || kFirst > kLast) {
        return;
    }
    if (n <= (extent < 0 ? -extent : extent)) {
        for (i64 k = kFirst; k <= kLast; ++k) {
            draw(extent * k / n);
        }
        return;
    }
    const i64 first = static_cast<i64>(Wide(extent) * kFirst / n);
    const i64 last = static_cast<i64>(Wide(extent) * kLast / n);
    const i64 step = first <= last ? 1 : -1;
    for (i64 v = first;; v += step) {
        draw(v);
        if (v == last) {
            break;
        }
    }
}

// Borders far beyond any screen are treated as that far; keeps all arithmetic inside int.
constexpr int kBorderBound = 1 << 28;

} // namespace

struct TWaveScreen::Geometry {
    int w1;         // last column
    int h1;         // last row
    int left, right, top, bottom;
    int span;       // plot width in pixels: columns left..left + span
    int plotHeight; // rows top..top + plotHeight
};

TWaveScreen::TWaveScreen(QWidget* parent)
    : QWidget(parent), m_borders(*this), m_colors(*this), m_grid(*this),
      m_traces{TScreenWaveBuffer(*this), TScreenWaveBuffer(*this), TScreenWaveBuffer(*this)}, m_cursor(*this)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(1, 1); // width and height never go below 1 px
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    resize(100, 100);
    SetWaveBuffer();
}

TWaveScreen::~TWaveScreen() = default;

TWaveScreen::Geometry TWaveScreen::Layout() const
{
    Geometry g{};
    g.w1 = width() - 1;
    g.h1 = height() - 1;
    g.left = Limit(m_borders.Left(), -kBorderBound, kBorderBound);
    g.right = Limit(m_borders.Right(), -kBorderBound, kBorderBound);
    g.top = Limit(m_borders.Top(), -kBorderBound, kBorderBound);
    g.bottom = Limit(m_borders.Bottom(), -kBorderBound, kBorderBound);
    g.span = g.w1 - g.right - g.left;
    g.plotHeight = g.h1 - g.top - g.bottom;
    return g;
}

QRgb TWaveScreen::ParentFill() const
{
    const QWidget* owner = parentWidget() != nullptr ? parentWidget() : this;
    return owner->palette().color(owner->backgroundRole()).rgb();
}

void TWaveScreen::SetUpdatesSuspended(bool suspended)
{
    m_suspended = suspended;
    if (suspended)
        return;
    if (m_backgroundDue)
        PaintBackground();
    if (m_repaintDue)
        Repaint();
    m_backgroundDue = m_repaintDue = false;
}

void TWaveScreen::Repaint()
{
    if (m_suspended) {
        m_repaintDue = true;
        return;
    }
    BuildFrame();
    Paint();
}

void TWaveScreen::Paint()
{
    if (m_backgroundImage.size() != size() || m_frame.size() != size()) {
        BuildFrame();
    }
    update();
}

void TWaveScreen::BuildFrame()
{
    const QSize area = size();
    if (m_frame.size() != area) {
        m_frame = QImage(area, QImage::Format_RGB32);
    }
    if (m_backgroundImage.size() != area) {
        PaintBackground();
    }
    std::memcpy(m_frame.bits(), m_backgroundImage.constBits(), static_cast<std::size_t>(m_frame.sizeInBytes()));

    const Geometry g = Layout();
    m_coordinates.m_lineBottom = g.bottom;
    m_coordinates.m_lineMiddle = (g.h1 - g.bottom - g.top) / 2 + g.bottom;
    m_coordinates.m_lineTop = g.h1 - g.top;

    for (int k = 2; k >= 0; --k) { // C, then B, then A on top
        if (m_traces[k].Enabled()) {
            PaintWave(m_frame, m_traces[k]);
        }
    }
    PaintCursor(m_frame);
}

void TWaveScreen::PaintBackground()
{
    if (m_suspended) {
        m_backgroundDue = true;
        return;
    }
    const QSize area = size();
    if (m_backgroundImage.size() != area) {
        m_backgroundImage = QImage(area, QImage::Format_RGB32);
    }
    const Geometry g = Layout();
    RasterCanvas canvas(m_backgroundImage);
    canvas.FillRect(QRect(QPoint(0, 0), area), ParentFill());
    canvas.FillRect(QRect(QPoint(g.left, g.top), QPoint(g.w1 - g.right, g.h1 - g.bottom)), OpaqueRgb(m_colors.Background()));
    canvas.SetPenMode(TPenMode::Copy);

    const int rowBottom = g.h1 - g.bottom;
    const int colRight = g.w1 - g.right;
    const TScreenGrid& grid = m_grid;
    auto horizontal = [&](int endX) {
        return [&canvas, &g, endX](i64 d) {
            const int y = g.h1 - static_cast<int>(d + g.bottom);
            canvas.MoveTo(g.left, y);
            canvas.LineTo(endX, y);
        };
    };
    auto vertical = [&](int endY) {
        return [&canvas, rowBottom, endY](int x) {
            canvas.MoveTo(x, rowBottom);
            canvas.LineTo(x, endY);
        };
    };
    auto verticalAt = [&](int endY) {
        return [&g, line = vertical(endY)](i64 d) { line(static_cast<int>(d + g.left)); };
    };
    // Value-tied vertical lines move with SampleOffset of the selected trace.
    auto valueTied = [&](double step, auto line) {
        const TScreenWaveBuffer& trace = m_cursor.WaveBuffer();
        const double visible = double(trace.SamplePerDiv()) * grid.VerticalLineCount();
        if (!(step > 0.0) || !std::isfinite(step) || !(visible > 0.0) || g.span <= 0) {
            return;
        }
        const double offset = trace.SampleOffset();
        const double phase = offset - std::floor(offset / step) * step;
        const double last = std::nearbyint(visible / step + 0.5);
        auto column = [&](double k) { return RoundToInt((k * step - phase) * g.span / visible) + g.left; };
        if (step * g.span / visible >= 1.0) {
            for (double k = 0; k <= last; ++k) {
                const int x = column(k);
                if (x >= colRight) {
                    break;
                }
                if (x >= g.left) {
                    line(x);
                }
            }
        } else { // lines closer than a pixel: every column between the first and the last
            const int xLast = std::min(column(last), colRight - 1);
            for (int x = std::max(column(0), g.left); x <= xLast; ++x) {
                line(x);
            }
        }
    };

    canvas.SetPenColor(OpaqueRgb(m_colors.AuxGrid()));
    if (grid.HorizontalGridEnabled()) {
        const i64 n = i64(grid.HorizontalLineCount()) * grid.HorizontalAuxLineCount();
        GridSteps(g.plotHeight, n, 0, n, horizontal(colRight));
    }
    if (grid.VerticalGridEnabled() && grid.VerticalGridFix()) {
        const i64 n = i64(grid.VerticalLineCount()) * grid.VerticalAuxLineCount();
        GridSteps(g.span, n, 0, n, verticalAt(g.top));
    }
    if (grid.VerticalGridEnabled() && !grid.VerticalGridFix() && grid.VerticalAuxLineCount() > 0 &&
        grid.VerticalValuePerSample() != 0.0) {
        valueTied(grid.VerticalGridFrequenz() / grid.VerticalAuxLineCount() / grid.VerticalValuePerSample(), vertical(g.top));
    }

    canvas.SetPenColor(OpaqueRgb(m_colors.Grid()));
    vertical(g.top - 1)(g.left);
    vertical(g.top - 1)(colRight);
    if (grid.VerticalGridEnabled() && grid.VerticalGridFix()) {
        GridSteps(g.span, grid.VerticalLineCount(), 1, i64(grid.VerticalLineCount()) - 1, verticalAt(g.top - 1));
    }
    if (grid.VerticalGridEnabled() && !grid.VerticalGridFix() && grid.VerticalValuePerSample() != 0.0) {
        valueTied(grid.VerticalGridFrequenz() / grid.VerticalValuePerSample(), vertical(g.top - 1));
    }
    horizontal(colRight + 1)(0);                      // bottom edge
    horizontal(colRight + 1)(i64(g.plotHeight));      // top edge
    if (grid.HorizontalGridEnabled()) {
        GridSteps(g.plotHeight, grid.HorizontalLineCount(), 1, i64(grid.HorizontalLineCount()) - 1, horizontal(colRight + 1));
    }
}

namespace {

// Pixels per value unit of a trace; 0 without horizontal divisions (nothing to scale by).
double TraceScale(int plotHeight, int horizontalLineCount, const TScreenWaveBuffer& trace)
{
    if (horizontalLineCount <= 0) {
        return 0.0;
    }
    return double(plotHeight) / horizontalLineCount * (1.0 / trace.AmplitudePerDiv());
}

int ZeroLine(const TScreenCoordinats& lines, const TScreenWaveBuffer& trace)
{
    switch (trace.ZeroLinePos()) {
    case TScreenPos::zlpTop:
        return lines.LineTop();
    case TScreenPos::zlpMiddle:
        return lines.LineMiddle();
    case TScreenPos::zlpBottom:
        break;
    }
    return lines.LineBottom();
}

} // namespace

void TWaveScreen::PaintWave(QImage& bitmap, const TScreenWaveBuffer& trace)
{
    const int size = trace.Size();
    const i64 samples = i64(m_grid.VerticalLineCount()) * trace.SamplePerDiv(); // across the plot
    if (size == 0 || samples <= 0 || m_grid.HorizontalLineCount() <= 0) {
        return; // no samples, or no divisions to place them by
    }
    const Geometry g = Layout();
    RasterCanvas canvas(bitmap);
    canvas.SetPenColor(trace.WaveRgb());
    canvas.SetPenMode(trace.WaveMode());
    canvas.SetFillColor(trace.WaveRgb());

    const double scale = TraceScale(g.plotHeight, m_grid.HorizontalLineCount(), trace);
    const int zero = ZeroLine(m_coordinates, trace);
    // Values beyond the plot range are drawn 2 px beyond the frame, not further.
    const int yMin = m_coordinates.LineBottom() - 2;
    const int yMax = m_coordinates.LineTop() + 2;
    // Row of a sample: h1 - Limit(trunc(v * scale) + zero, yMin, yMax). The product is first
    // limited to just beyond the range (NaN to its low end) so that the conversion cannot
    // overflow; the loop below runs this for every sample, hence the branch-free form.
    const double tLow = double(yMin) - zero - 1.0;
    const double tHigh = double(yMax) - zero + 1.0;
    const auto rowOf = [=](double v) {
        double t = v * scale;
        t = t > tLow ? t : tLow;
        t = t < tHigh ? t : tHigh;
        int y = static_cast<int>(t) + zero;
        y = y < yMax ? y : yMax;
        y = y > yMin ? y : yMin;
        return g.h1 - y;
    };

    const int offset = Limit(trace.SampleOffset(), 0, size - 1);
    const double* s = trace.Data() + offset;
    const i64 count = (i64(offset) + samples > size - 1) ? i64(size) - 1 - offset : samples;
    const bool markers = trace.MarkerOn();

    canvas.MoveTo(g.left, rowOf(s[0]));
    if (markers) {
        canvas.Circle(g.left, rowOf(s[0]));
    }
    if (g.span <= 0) {
        return; // every sample falls on the first column: no stroke is drawn
    }

    // Sample i lies in column span * i / samples. Each column is drawn when its first sample
    // arrives, with the extremes gathered since the previous column: one stroke between them
    // that ends at the extreme reached last. So a trace costs two segments per column.
    int lastX = g.left;
    int highRow = INT_MAX; // row of the highest value gathered (rows grow downwards)
    int lowRow = INT_MIN;
    bool rising = false;
    i64 i = 1;
    while (i <= count) {
        // The first sample right of column lastX.
        const Wide reach = Wide(lastX - g.left + 1) * samples;
        const i64 opener = static_cast<i64>((reach + g.span - 1) / g.span);
        const i64 stop = std::min(opener, count);
        for (; i <= stop; ++i) {
            const int y = rowOf(s[i]);
            const bool up = y < highRow;  // a new highest value ...
            const bool down = y > lowRow; // ... or a new lowest, checked second
            highRow = up ? y : highRow;
            lowRow = down ? y : lowRow;
            rising = (rising || up) && !down;
        }
        if (opener > count) {
            break;
        }
        const int x = static_cast<int>(Wide(g.span) * opener / samples) + g.left;
        if (rising) {
            canvas.LineTo(x, lowRow);
            canvas.LineTo(x, highRow);
        } else {
            canvas.LineTo(x, highRow);
            canvas.LineTo(x, lowRow);
        }
        if (markers) {
            canvas.Circle(canvas.PenPos().x(), canvas.PenPos().y());
        }
        lastX = x;
        highRow = INT_MAX;
        lowRow = INT_MIN;
        rising = false;
    }
}

void TWaveScreen::PaintCursor(QImage& bitmap)
{
    const TScreenWaveBuffer& trace = m_cursor.WaveBuffer();
    const int size = trace.Size();
    if (size == 0) {
        return; // no cursor, no marker, values unchanged
    }
    const Geometry g = Layout();
    const i64 samples = i64(trace.SamplePerDiv()) * m_grid.VerticalLineCount();
    const int markerIndex = Limit(m_cursor.m_posX, 0, size - 1);
    const int cursorIndex = Limit(m_cursor.m_posMX, 0, size - 1);

    // Columns from the plot's left edge; -1 when outside the plot (not drawn).
    const auto columnOf = [&](int index, int position) -> i64 {
        i64 column = -1;
        if (!m_cursor.m_snapToX) {
            column = i64(position) - g.left;
        } else if (samples > 0) {
            column = (i64(index) - trace.SampleOffset()) * g.span / samples;
        }
        return (column < 0 || column > g.span) ? -1 : column;
    };
    const i64 markerCol = columnOf(markerIndex, m_cursor.m_posX);
    const i64 cursorCol = columnOf(cursorIndex, m_cursor.m_posMX);

    // Rows from the plot's top edge, limited to the plot.
    const double scale = TraceScale(g.plotHeight, m_grid.HorizontalLineCount(), trace);
    const int zero = ZeroLine(m_coordinates, trace);
    const auto rowOf = [&](int index, int mouseY) -> int {
        i64 row = i64(mouseY) - g.top;
        if (m_cursor.m_snapToY) {
            const double v = trace.GetBuffer(index);
            row = g.h1 - g.top - Limit(TruncToInt(v * scale) + zero, m_coordinates.LineBottom(), m_coordinates.LineTop());
        }
        return static_cast<int>(Limit<i64>(row, 0, g.plotHeight));
    };
    const int markerRow = rowOf(markerIndex, m_cursor.m_posY);
    const int cursorRow = rowOf(cursorIndex, m_cursor.m_posMY);

    RasterCanvas canvas(bitmap);
    canvas.SetPenColor(m_cursor.m_color);
    canvas.SetPenMode(m_cursor.m_penMode);
    canvas.SetFillColor(m_cursor.m_color);
    if (m_cursor.m_enabled) {
        if (m_cursor.m_cursorStyle != TCursorStyle::csVertLine && cursorRow > 0 && cursorRow < g.plotHeight) {
            canvas.MoveTo(g.left, g.top + cursorRow);
            canvas.LineTo(g.w1 - g.right, g.top + cursorRow);
        }
        if (m_cursor.m_cursorStyle != TCursorStyle::csHorzLine && cursorCol != -1) {
            const int x = g.left + static_cast<int>(cursorCol);
            canvas.MoveTo(x, g.h1 - g.bottom);
            canvas.LineTo(x, g.top);
        }
    }
    canvas.SetPenColor(trace.WaveRgb());
    if (markerCol != -1 && m_cursor.m_markerEnabled) {
        canvas.SetPenMode(TPenMode::Copy);
        const int x = g.left + static_cast<int>(markerCol);
        const int y = g.top + markerRow;
        if (m_cursor.m_markerStyle == TMarkerStyle::msCircle) {
            canvas.Circle(x, y); // outlined in the trace colour, filled with the cursor colour
        } else {
            canvas.MoveTo(x - 3, y);
            canvas.LineTo(x + 4, y);
            canvas.MoveTo(x, y - 3);
            canvas.LineTo(x, y + 4);
        }
    }

    m_cursor.m_valueX = trace.GetBuffer(markerIndex);
    m_cursor.m_valueY = markerIndex;
    // Refresh the three cursor values in case the samples changed since they were read.
    ReadCursorValues([this](int k) { return m_cursor.m_bufferY[static_cast<std::size_t>(k)]; });
    emit OnChangeCursorValue(this);
}

void TWaveScreen::SetWaveBuffer()
{
    const int number = m_cursor.m_waveBufferNumber;
    m_cursor.m_waveBuffer = &m_traces[number == 3 ? 2 : number == 2 ? 1 : 0];
}

int TWaveScreen::GetBufferPos(int x) const
{
    const TScreenWaveBuffer& trace = m_cursor.WaveBuffer();
    const Geometry g = Layout();
    const i64 samples = i64(trace.SamplePerDiv()) * m_grid.VerticalLineCount();
    if (g.span <= 0) {
        return 0; // no plot width to map onto
    }
    const int column = Limit(x, 0, g.w1 - g.right) - g.left;
    const int position = RoundToInt(double(column) * double(samples) / g.span);
    return Limit(position, 0, std::max(trace.Size() - 1, 0));
}

void TWaveScreen::GetBufferData(double& value, int& index, int position) const
{
    value = 0.0;
    index = -1;
    const TScreenWaveBuffer& trace = m_cursor.WaveBuffer();
    if (trace.Size() > 0) {
        index = Limit(position, 0, trace.Size() - 1);
        value = trace.GetBuffer(index);
    }
}

template <typename PositionOf> bool TWaveScreen::ReadCursorValues(PositionOf positionOf)
{
    bool any = false;
    for (std::size_t k = 0; k < 3; ++k) {
        if (m_traces[k].Size() == 0) {
            continue;
        }
        any = true;
        m_cursor.m_waveBuffer = &m_traces[k]; // GetBufferPos and GetBufferData read this trace
        const int position = positionOf(static_cast<int>(k));
        GetBufferData(m_cursor.m_bufferX[k], m_cursor.m_bufferY[k], position);
    }
    SetWaveBuffer();
    return any;
}

void TWaveScreen::MoveCursorTo(int position)
{
    if (position == m_cursor.m_posMX) {
        return;
    }
    m_cursor.m_posMX = position;
    ReadCursorValues([position](int) { return position; });
    Repaint();
    emit OnChangeCursorValue(&m_cursor);
}

void TWaveScreen::MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int X, int Y)
{
    // Alt + Ctrl + both buttons freeze the cursor line; the values are still read under the mouse.
    const bool frozen = modifiers.testFlag(Qt::AltModifier) && modifiers.testFlag(Qt::ControlModifier) &&
                        buttons.testFlag(Qt::LeftButton) && buttons.testFlag(Qt::RightButton);
    if (!frozen) {
        m_cursor.m_posMX = SaturatingAdd(GetBufferPos(X), m_cursor.WaveBuffer().SampleOffset());
        m_cursor.m_posMY = Y;
    }
    Repaint();
    const bool any = ReadCursorValues(
        [this, X](int k) { return SaturatingAdd(GetBufferPos(X), m_traces[k].SampleOffset()); });
    if (any) {
        emit OnChangeCursorValue(this);
    }
    emit OnMouseMove(buttons, modifiers, X, Y);
}

void TWaveScreen::MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                            bool doubleClick, int X, int Y)
{
    if (doubleClick) { // a double click puts the marker under the mouse
        m_cursor.m_posX = SaturatingAdd(GetBufferPos(X), m_cursor.WaveBuffer().SampleOffset());
        m_cursor.m_posY = Y;
        Repaint();
    }
    emit OnMouseDown(button, buttons, modifiers, doubleClick, X, Y);
}

void TWaveScreen::paintEvent(QPaintEvent*)
{
    if (m_backgroundImage.size() != size() || m_frame.size() != size()) {
        BuildFrame();
    }
    QPainter(this).drawImage(0, 0, m_frame);
}

void TWaveScreen::resizeEvent(QResizeEvent*)
{
    emit OnResize(); // the next Paint or Repaint notices the new size and rebuilds
}

void TWaveScreen::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    MouseMove(event->buttons(), event->modifiers(), at.x(), at.y());
}

void TWaveScreen::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    MouseDown(event->button(), event->buttons(), event->modifiers(), false, at.x(), at.y());
}

void TWaveScreen::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    MouseDown(event->button(), event->buttons(), event->modifiers(), true, at.x(), at.y());
}
