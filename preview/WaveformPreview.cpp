#include "preview/WaveformPreview.h"

#include "preview/PreviewArea.h"
#include "sequence/DecimalText.h"
#include "sequence/SequenceGridModel.h"
#include "sequence/SequenceTable.h"
#include "widgets/RgbLedBar.h"
#include "widgets/SpinEdit.h"
#include "widgets/WaveScreen.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QSlider>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {
// Traces A, B and C: red, green and blue.
constexpr TScreenWaveBuffer& (TWaveScreen::*Traces[])() = {&TWaveScreen::WaveBufferA, &TWaveScreen::WaveBufferB,
                                                           &TWaveScreen::WaveBufferC};

// The zoom below which CSpinEdit1 keeps the previous one.
constexpr int MinimumZoom = 10;
// The screen's divisions across: a zoom of Z shows ticks 0..10Z.
constexpr int Divisions = 10;

// A trace value truncated toward zero, reduced to its low 8 bits. The traces only ever hold
// bytes read back from the LED bar; anything else still converts without overflow.
int levelByte(double value)
{
    if (!(value > -1.0e9 && value < 1.0e9))
        return 0;
    return static_cast<int>(value) & 0xFF;
}
} // namespace

WaveformPreview::WaveformPreview(const SequenceTable& table, const SequenceGridModel& grid,
                                 const Controls& controls, QObject* parent)
    : QObject(parent), m_table(table), m_grid(grid), m_c(controls)
{
    connect(m_c.area->TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(m_c.CSpinEdit1, &QSpinBox::valueChanged, this, [this] { CSpinEdit1Change(); });
    connect(m_c.area->WaveScreen1, &TWaveScreen::OnMouseMove, this, &WaveformPreview::WaveScreen1MouseMove);
    connect(m_c.CB_MarkerEnabled, &QCheckBox::toggled, this, [this] { CB_MarkerEnabledClick(); });
}

void WaveformPreview::RebuildPreview(int count, int tsEnd)
{
    TWaveScreen& screen = *m_c.area->WaveScreen1;
    TRGB_LED_Balken& bar = *m_c.area->RGB_LED_Balken1;
    // The zoom's three trace settings and the cursor moves each redraw the screen with the
    // old samples; the redraw after the sampling is the one that counts.
    screen.SetUpdatesSuspended(true);
    // TS_End as its control holds it.
    const int end = std::clamp(tsEnd, 0, PreviewArea::Samples - 1);

    m_playback.PlaybackEnd = static_cast<std::uint32_t>(end);
    // TS_End / 10 rounded up; the spin edit clamps it to its range.
    m_c.CSpinEdit1->setValue((end + 9) / 10);
    CSpinEdit1Change();

    // One sample per tick, channel by channel. Neither widget redraws here.
    m_levels.resize(PreviewArea::Samples);
    const auto sample = [&](ColourChannel colour, TScreenWaveBuffer& trace, auto setBar) {
        // The levels come as bytes, as the bar keeps them (modulo 256). A local pointer: the
        // bar's byte stores cannot change it, so it is not reloaded after each one.
        const std::uint8_t* const levels = m_levels.data();
        LevelsForTicks(m_table.curve(colour), count, 0, std::size_t(PreviewArea::Samples), m_levels.data());
        for (int i = 0; i < PreviewArea::Samples; ++i)
            setBar(i, levels[i]);
        // Each trace takes what its bar array holds: the same bytes. Bounded by the trace's
        // size, the store's own range check is known to pass and the loop is vectorised.
        const int samples = std::min(trace.Size(), PreviewArea::Samples);
        for (int i = 0; i < samples; ++i)
            trace.SetBuffer(i, double(levels[i]));
    };
    sample(Red, screen.WaveBufferA(), [&](int i, int v) { bar.SetBufferR(i, v); });
    sample(Green, screen.WaveBufferB(), [&](int i, int v) { bar.SetBufferG(i, v); });
    sample(Blue, screen.WaveBufferC(), [&](int i, int v) { bar.SetBufferB(i, v); });

    // The range follows the sequence. A position beyond the new end is moved to it, and the
    // track bar's change handler carries the cursor and the channel values there. This comes
    // after the sampling so that the values copied are those of the sequence just checked.
    m_c.area->TrackBar1->setMaximum(end);

    bar.Repaint();
    screen.Repaint();
    screen.SetUpdatesSuspended(false);
}

void WaveformPreview::CSpinEdit1Change()
{
    const int zoom = m_c.CSpinEdit1->value();
    if (zoom < MinimumZoom)
        return;
    TWaveScreen& screen = *m_c.area->WaveScreen1;
    for (auto trace : Traces)
        (screen.*trace)().SetSamplePerDiv(zoom);
    m_c.area->TrackBar1->setTickInterval(zoom);
    m_c.area->RGB_LED_Balken1->SetView(Divisions * zoom);
}

void WaveformPreview::WaveScreen1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, int, int)
{
    if (!buttons.testFlag(Qt::LeftButton))
        return;
    const TScreenCursor& cursor = m_c.area->WaveScreen1->ScreenCursor();
    const int tick = cursor.PosMX();
    m_c.CursorPos_Edit->setText(QString::number(tick));

    // Each scroll bar that actually moves runs its change handler: value field, LED, live send.
    const double values[3] = {cursor.BufferA_X(), cursor.BufferB_X(), cursor.BufferC_X()};
    for (int ch = 0; ch < 3; ++ch)
        m_c.scrollBars[std::size_t(ch)]->setValue(255 - levelByte(values[ch]));

    // The track bar clamps the tick to 0..TS_End; a change runs TrackBar1Change, which brings the
    // cursor back to the clamped tick. When the clamp leaves the track bar where it already stood
    // no signal comes, so the cursor is brought back here; otherwise a drag past the end with the
    // track bar already at the end would leave the cursor and the fields beyond it.
    QSlider* track = m_c.area->TrackBar1;
    const int before = track->value();
    track->setValue(tick);
    if (track->value() == before && before != tick)
        TrackBar1Change();
}

void WaveformPreview::TrackBar1Change()
{
    const int position = m_c.area->TrackBar1->value();
    m_playback.PlaybackPosition = static_cast<std::uint32_t>(position);
    // Re-reads the three levels and redraws; nothing when the cursor already stands there.
    m_c.area->WaveScreen1->ScreenCursor().SetPosMX(position);
    WaveScreen1MouseMove(Qt::LeftButton, Qt::NoModifier, 0, 0);
}

void WaveformPreview::CB_MarkerEnabledClick()
{
    m_c.area->WaveScreen1->ScreenCursor().SetMarkerEnabled(m_c.CB_MarkerEnabled->isChecked());
}

void WaveformPreview::ShowStepMarker(int column, int row)
{
    int trace = 0;
    switch (column) {
    case SequenceGridModel::ColClock:
    case SequenceGridModel::ColRed:
        trace = 1;
        break;
    case SequenceGridModel::ColGreen:
        trace = 2;
        break;
    case SequenceGridModel::ColBlue:
        trace = 3;
        break;
    default:
        return;
    }
    TScreenCursor& cursor = m_c.area->WaveScreen1->ScreenCursor();
    // Another trace resets the marker; it is set again at once.
    cursor.SetWaveBufferNumber(trace);
    qint32 tick = 0;
    if (!readDecimal32(m_grid.cell(SequenceGridModel::ColTicks, row), tick))
        tick = 0;
    cursor.SetPosX(tick);
    m_c.area->WaveScreen1->Repaint();
}
