#pragma once

#include "widgets/RasterCanvas.h"

#include <QColor>
#include <QObject>

#include <array>
#include <vector>

class TWaveScreen;
class TScreenWaveBuffer;

// Reference line on which the value 0 of a trace sits.
enum class TScreenPos { zlpTop, zlpMiddle, zlpBottom };
// csCross: both cursor lines; csVertLine: vertical only; csHorzLine: horizontal only.
enum class TCursorStyle { csCross, csVertLine, csHorzLine };
// msCircle: small filled circle; msCross: small cross.
enum class TMarkerStyle { msCircle, msCross };

// The property holders of the wave screen. Each refers to its screen and triggers the redraws
// of its setters; every setter ignores a value equal to the current one (except SetDemo).

// Space around the plot area. A change rebuilds the background and refreshes.
class TScreenBorders {
public:
    explicit TScreenBorders(TWaveScreen& screen) : m_screen(screen) {}
    int Top() const { return m_top; }
    int Bottom() const { return m_bottom; }
    int Left() const { return m_left; }
    int Right() const { return m_right; }
    void SetTop(int value);
    void SetBottom(int value);
    void SetLeft(int value);
    void SetRight(int value);

private:
    void Set(int& field, int value);
    TWaveScreen& m_screen;
    int m_top = 0;
    int m_bottom = 0;
    int m_left = 0;
    int m_right = 0;
};

// Colours of the background bitmap. A change only refreshes: the cached background keeps its
// old colours until its next rebuild (size, border, grid, SamplePerDiv or SampleOffset change).
class TScreenColors {
public:
    explicit TScreenColors(TWaveScreen& screen) : m_screen(screen) {}
    QColor Grid() const { return QColor(m_grid); }
    QColor Background() const { return QColor(m_background); }
    QColor AuxGrid() const { return QColor(m_auxGrid); }
    void SetGrid(const QColor& color);
    void SetBackground(const QColor& color);
    void SetAuxGrid(const QColor& color);

private:
    void Set(QRgb& field, const QColor& color);
    TWaveScreen& m_screen;
    QRgb m_grid = qRgb(0, 128, 0);
    QRgb m_background = qRgb(0, 0, 0);
    QRgb m_auxGrid = qRgb(32, 32, 32);
};

// Reference lines in upward coordinates (0 = bottom pixel row), recomputed at every refresh.
class TScreenCoordinats {
public:
    int LineBottom() const { return m_lineBottom; }
    int LineMiddle() const { return m_lineMiddle; }
    int LineTop() const { return m_lineTop; }

private:
    friend class TWaveScreen;
    int m_lineBottom = 0;
    int m_lineMiddle = 0;
    int m_lineTop = 0;
};

// Divisions and grid lines. A change rebuilds the background and refreshes.
class TScreenGrid {
public:
    explicit TScreenGrid(TWaveScreen& screen) : m_screen(screen) {}
    int VerticalLineCount() const { return m_verticalLineCount; }
    int HorizontalLineCount() const { return m_horizontalLineCount; }
    int VerticalAuxLineCount() const { return m_verticalAuxLineCount; }
    int HorizontalAuxLineCount() const { return m_horizontalAuxLineCount; }
    bool VerticalGridEnabled() const { return m_verticalGridEnabled; }
    bool HorizontalGridEnabled() const { return m_horizontalGridEnabled; }
    bool VerticalGridFix() const { return m_verticalGridFix; }
    double VerticalGridFrequenz() const { return m_verticalGridFrequenz; }
    double VerticalValuePerSample() const { return m_verticalValuePerSample; }

    void SetVerticalLineCount(int value);      // negative is stored as 10
    void SetHorizontalLineCount(int value);    // negative is stored as 10
    void SetVerticalAuxLineCount(int value);   // negative is stored as 0
    void SetHorizontalAuxLineCount(int value); // negative is stored as 0
    void SetVerticalGridEnabled(bool value);
    void SetHorizontalGridEnabled(bool value);
    void SetVerticalGridFix(bool value);
    void SetVerticalGridFrequenz(double value);
    void SetVerticalValuePerSample(double value);

private:
    template <typename T> void Set(T& field, T value);
    TWaveScreen& m_screen;
    int m_verticalLineCount = 10;
    int m_horizontalLineCount = 10;
    int m_verticalAuxLineCount = 5;
    int m_horizontalAuxLineCount = 5;
    bool m_verticalGridEnabled = true;
    bool m_horizontalGridEnabled = true;
    bool m_verticalGridFix = true;
    double m_verticalGridFrequenz = 10.0;
    double m_verticalValuePerSample = 1.0;
};

// One trace: its samples and how they are drawn.
class TScreenWaveBuffer {
public:
    explicit TScreenWaveBuffer(TWaveScreen& screen) : m_screen(screen) {}

    int Size() const { return static_cast<int>(m_samples.size()); }
    // Negative is ignored. A new size replaces the samples by Size zeros (demo content when
    // DemoOn), keeps SampleOffset inside the new size, and refreshes.
    void SetSize(int size);
    bool DemoOn() const { return m_demoOn; }
    // Always runs: on fills k full sine periods (k random 5..24), off fills zeros; refreshes.
    void SetDemo(bool on);
    double AmplitudePerDiv() const { return m_amplitudePerDiv; }
    void SetAmplitudePerDiv(double value); // <= 0 is stored as 1.0; refresh
    int SamplePerDiv() const { return m_samplePerDiv; }
    void SetSamplePerDiv(int value); // < 1 is stored as 1; rebuild background, refresh
    int SampleOffset() const { return m_sampleOffset; }
    void SetSampleOffset(int value); // clamped to 0..Size-1; rebuild background, refresh
    QColor WaveColor() const { return QColor(m_waveColor); }
    QRgb WaveRgb() const { return m_waveColor; }
    void SetWaveColor(const QColor& color);
    TPenMode WaveMode() const { return m_waveMode; }
    void SetWaveMode(TPenMode mode);
    TScreenPos ZeroLinePos() const { return m_zeroLinePos; }
    void SetZeroLinePos(TScreenPos pos);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    bool MarkerOn() const { return m_markerOn; }
    void SetMarkerOn(bool value);

    // Plain stores without redraw: fill the samples, then refresh the screen once.
    void SetBuffer(int index, double value)
    {
        if (index >= 0 && index < Size()) {
            m_samples[static_cast<std::size_t>(index)] = value;
        }
    }
    double GetBuffer(int index) const
    {
        return (index >= 0 && index < Size()) ? m_samples[static_cast<std::size_t>(index)] : 0.0;
    }
    const double* Data() const { return m_samples.data(); }

private:
    void FillDemo();
    void Refresh();
    TWaveScreen& m_screen;
    std::vector<double> m_samples;
    bool m_demoOn = false;
    double m_amplitudePerDiv = 1.0;
    int m_samplePerDiv = 100;
    int m_sampleOffset = 0;
    QRgb m_waveColor = qRgb(255, 0, 0);
    TPenMode m_waveMode = TPenMode::Copy;
    TScreenPos m_zeroLinePos = TScreenPos::zlpMiddle;
    bool m_enabled = false;
    bool m_markerOn = false;
};

// The cursor line that follows the mouse, the marker on the selected trace, and the values
// read at both. A QObject so that it can be the sender of OnChangeCursorValue.
class TScreenCursor : public QObject {
    Q_OBJECT
public:
    explicit TScreenCursor(TWaveScreen& screen);

    TCursorStyle CursorStyle() const { return m_cursorStyle; }
    void SetCursorStyle(TCursorStyle style); // refresh
    int PosX() const { return m_posX; }       // marker sample index
    void SetPosX(int value) { m_posX = value; }
    int PosY() const { return m_posY; } // marker mouse y (without SnapToY)
    void SetPosY(int value) { m_posY = value; }
    int PosMX() const { return m_posMX; } // cursor sample index
    // Moves the cursor to a sample index from outside: reads the three traces there,
    // refreshes and raises OnChangeCursorValue with the cursor as sender. Equal: nothing.
    void SetPosMX(int position);
    int PosMY() const { return m_posMY; } // cursor mouse y (without SnapToY)
    void SetPosMY(int value) { m_posMY = value; }
    QColor Color() const { return QColor(m_color); }
    QRgb Rgb() const { return m_color; }
    void SetColor(const QColor& color) { m_color = OpaqueRgb(color); }
    TPenMode PenMode() const { return m_penMode; }
    void SetPenMode(TPenMode mode) { m_penMode = mode; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value); // refresh
    bool MarkerEnabled() const { return m_markerEnabled; }
    void SetMarkerEnabled(bool value); // refresh
    TMarkerStyle MarkerStyle() const { return m_markerStyle; }
    void SetMarkerStyle(TMarkerStyle style); // refresh
    int WaveBufferNumber() const { return m_waveBufferNumber; }
    // 1 A, 2 B, 3 C; anything else is taken as 1. A different trace resets the marker
    // (PosX -1, PosY 0, ValueX 0, ValueY 0). No redraw.
    void SetWaveBufferNumber(int number);
    TScreenWaveBuffer& WaveBuffer() const { return *m_waveBuffer; }
    bool SnapToX() const { return m_snapToX; }
    void SetSnapToX(bool value) { m_snapToX = value; }
    bool SnapToY() const { return m_snapToY; }
    void SetSnapToY(bool value) { m_snapToY = value; }

    double ValueX() const { return m_valueX; } // selected trace's value at the marker
    int ValueY() const { return m_valueY; }    // the marker's clamped sample index
    // Values (…_X) and clamped sample indexes (…_Y) of traces A, B, C at the cursor.
    double BufferA_X() const { return m_bufferX[0]; }
    double BufferB_X() const { return m_bufferX[1]; }
    double BufferC_X() const { return m_bufferX[2]; }
    int BufferA_Y() const { return m_bufferY[0]; }
    int BufferB_Y() const { return m_bufferY[1]; }
    int BufferC_Y() const { return m_bufferY[2]; }

private:
    friend class TWaveScreen;
    TWaveScreen& m_screen;
    TScreenWaveBuffer* m_waveBuffer = nullptr;
    TCursorStyle m_cursorStyle = TCursorStyle::csCross;
    int m_posX = 0;
    int m_posY = 0;
    int m_posMX = 0;
    int m_posMY = 0;
    QRgb m_color = qRgb(0, 0, 255);
    TPenMode m_penMode = TPenMode::NotXor;
    bool m_enabled = true;
    bool m_markerEnabled = true;
    TMarkerStyle m_markerStyle = TMarkerStyle::msCircle;
    int m_waveBufferNumber = 1;
    bool m_snapToX = false;
    bool m_snapToY = false;
    double m_valueX = 0.0;
    int m_valueY = 0;
    std::array<double, 3> m_bufferX{};
    std::array<int, 3> m_bufferY{};
};
