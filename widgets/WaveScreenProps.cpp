#include "widgets/WaveScreenProps.h"

#include "widgets/WaveScreen.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <numbers>

// --- TScreenBorders: a change rebuilds the background, then refreshes.

void TScreenBorders::Set(int& field, int value)
{
    if (field != value) {
        field = value;
        m_screen.PaintBackground();
        m_screen.Repaint();
    }
}

void TScreenBorders::SetTop(int value) { Set(m_top, value); }
void TScreenBorders::SetBottom(int value) { Set(m_bottom, value); }
void TScreenBorders::SetLeft(int value) { Set(m_left, value); }
void TScreenBorders::SetRight(int value) { Set(m_right, value); }

// --- TScreenColors: a change only refreshes (see the class comment).

void TScreenColors::Set(QRgb& field, const QColor& color)
{
    const QRgb value = OpaqueRgb(color);
    if (field != value) {
        field = value;
        m_screen.Repaint();
    }
}

void TScreenColors::SetGrid(const QColor& color) { Set(m_grid, color); }
void TScreenColors::SetBackground(const QColor& color) { Set(m_background, color); }
void TScreenColors::SetAuxGrid(const QColor& color) { Set(m_auxGrid, color); }

// --- TScreenGrid: a change rebuilds the background, then refreshes.

template <typename T> void TScreenGrid::Set(T& field, T value)
{
    if (field != value) {
        field = value;
        m_screen.PaintBackground();
        m_screen.Repaint();
    }
}

void TScreenGrid::SetVerticalLineCount(int value) { Set(m_verticalLineCount, value < 0 ? 10 : value); }
void TScreenGrid::SetHorizontalLineCount(int value) { Set(m_horizontalLineCount, value < 0 ? 10 : value); }
void TScreenGrid::SetVerticalAuxLineCount(int value) { Set(m_verticalAuxLineCount, std::max(value, 0)); }
void TScreenGrid::SetHorizontalAuxLineCount(int value) { Set(m_horizontalAuxLineCount, std::max(value, 0)); }
void TScreenGrid::SetVerticalGridEnabled(bool value) { Set(m_verticalGridEnabled, value); }
void TScreenGrid::SetHorizontalGridEnabled(bool value) { Set(m_horizontalGridEnabled, value); }
void TScreenGrid::SetVerticalGridFix(bool value) { Set(m_verticalGridFix, value); }
void TScreenGrid::SetVerticalGridFrequenz(double value) { Set(m_verticalGridFrequenz, value); }
void TScreenGrid::SetVerticalValuePerSample(double value) { Set(m_verticalValuePerSample, value); }

// --- TScreenWaveBuffer

void TScreenWaveBuffer::Refresh() { m_screen.Repaint(); }

void TScreenWaveBuffer::SetSize(int size)
{
    if (size < 0 || size == Size()) {
        return;
    }
    std::vector<double>(static_cast<std::size_t>(size), 0.0).swap(m_samples); // frees the old samples
    if (m_demoOn) {
        FillDemo();
    }
    // An offset beyond the new end would index past the samples: keep it inside.
    const int offset = std::clamp(m_sampleOffset, 0, std::max(size - 1, 0));
    if (offset != m_sampleOffset) {
        m_sampleOffset = offset;
        m_screen.PaintBackground();
    }
    Refresh();
}

void TScreenWaveBuffer::FillDemo()
{
    const int periods = static_cast<int>(QRandomGenerator::global()->bounded(20)) + 5;
    const double n = static_cast<double>(m_samples.size());
    for (std::size_t i = 0; i < m_samples.size(); ++i) {
        m_samples[i] = std::sin(2.0 * std::numbers::pi * periods * static_cast<double>(i) / n);
    }
}

void TScreenWaveBuffer::SetDemo(bool on)
{
    m_demoOn = on; // always, without comparing
    if (on) {
        FillDemo();
    } else {
        std::fill(m_samples.begin(), m_samples.end(), 0.0);
    }
    Refresh();
}

void TScreenWaveBuffer::SetAmplitudePerDiv(double value)
{
    const double stored = (value > 0.0) ? value : 1.0; // NaN too
    if (stored != m_amplitudePerDiv) {
        m_amplitudePerDiv = stored;
        Refresh();
    }
}

void TScreenWaveBuffer::SetSamplePerDiv(int value)
{
    const int stored = std::max(value, 1);
    if (stored != m_samplePerDiv) {
        m_samplePerDiv = stored;
        m_screen.PaintBackground(); // value-tied grid lines depend on it
        Refresh();
    }
}

void TScreenWaveBuffer::SetSampleOffset(int value)
{
    const int stored = std::clamp(value, 0, std::max(Size() - 1, 0));
    if (stored != m_sampleOffset) {
        m_sampleOffset = stored;
        m_screen.PaintBackground();
        Refresh();
    }
}

void TScreenWaveBuffer::SetWaveColor(const QColor& color)
{
    const QRgb value = OpaqueRgb(color);
    if (value != m_waveColor) {
        m_waveColor = value;
        Refresh();
    }
}

void TScreenWaveBuffer::SetWaveMode(TPenMode mode)
{
    if (mode != m_waveMode) {
        m_waveMode = mode;
        Refresh();
    }
}

void TScreenWaveBuffer::SetZeroLinePos(TScreenPos pos)
{
    if (pos != m_zeroLinePos) {
        m_zeroLinePos = pos;
        Refresh();
    }
}

void TScreenWaveBuffer::SetEnabled(bool value)
{
    if (value != m_enabled) {
        m_enabled = value;
        Refresh();
    }
}

void TScreenWaveBuffer::SetMarkerOn(bool value)
{
    if (value != m_markerOn) {
        m_markerOn = value;
        Refresh();
    }
}

// --- TScreenCursor

TScreenCursor::TScreenCursor(TWaveScreen& screen) : m_screen(screen) {}

void TScreenCursor::SetCursorStyle(TCursorStyle style)
{
    if (style != m_cursorStyle) {
        m_cursorStyle = style;
        m_screen.Repaint();
    }
}

void TScreenCursor::SetPosMX(int position) { m_screen.MoveCursorTo(position); }

void TScreenCursor::SetEnabled(bool value)
{
    if (value != m_enabled) {
        m_enabled = value;
        m_screen.Repaint();
    }
}

void TScreenCursor::SetMarkerEnabled(bool value)
{
    if (value != m_markerEnabled) {
        m_markerEnabled = value;
        m_screen.Repaint();
    }
}

void TScreenCursor::SetMarkerStyle(TMarkerStyle style)
{
    if (style != m_markerStyle) {
        m_markerStyle = style;
        m_screen.Repaint();
    }
}

void TScreenCursor::SetWaveBufferNumber(int number)
{
    if (number < 1 || number > 3) {
        number = 1;
    }
    if (number != m_waveBufferNumber) {
        m_waveBufferNumber = number;
        m_posX = -1; // the marker starts over on the new trace
        m_posY = 0;
        m_valueX = 0.0;
        m_valueY = 0;
        m_screen.SetWaveBuffer();
    }
}
