#pragma once

#include "preview/Playback.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <vector>

class PreviewArea;
class QCheckBox;
class QLineEdit;
class QScrollBar;
class SequenceGridModel;
class SequenceTable;
class TCSpinEdit;

// The checked sequence as three level traces on WaveScreen1 and a colour strip on
// RGB_LED_Balken1, sampled once per tick, with the zoom, the track bar range and the cursor.
//
// The cursor road: a drag on the screen, a move of TrackBar1 or the simulation all end in the
// same chain (WaveScreen1MouseMove <-> TrackBar1Change) that leaves the cursor line,
// CursorPos_Edit, the three channel scroll bars and the track bar on one tick. The chain stops
// because a control set to the value it already holds raises no change signal.
class WaveformPreview : public QObject {
    Q_OBJECT
public:
    struct Controls {
        PreviewArea* area = nullptr;                 // TrackBar1, RGB_LED_Balken1, WaveScreen1
        TCSpinEdit* CSpinEdit1 = nullptr;            // zoom: ticks per division
        QLineEdit* CursorPos_Edit = nullptr;
        std::array<QScrollBar*, 3> scrollBars{};     // ScrollBar_Red, _Green, _Blue: 255 - level
        QCheckBox* CB_MarkerEnabled = nullptr;
    };

    // Connects the controls' change signals to the handlers below.
    WaveformPreview(const SequenceTable& table, const SequenceGridModel& grid, const Controls& controls,
                    QObject* parent = nullptr);

    Playback& playback() { return m_playback; }
    const Playback& playback() const { return m_playback; }

    // After every complete check: count steps before the end mark, tsEnd the last tick.
    // Samples all 65536 ticks of the three channels into the LED bar and the traces, sets
    // PlaybackEnd, the zoom and the track bar range, then redraws bar and screen once.
    void RebuildPreview(int count, int tsEnd);
    // Applies the zoom of CSpinEdit1 (values below 10 keep the previous zoom).
    void CSpinEdit1Change();
    // The screen's mouse move (after the screen moved its cursor): with the left button held,
    // copies the cursor tick and its three levels to the controls and the track bar.
    void WaveScreen1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int X, int Y);
    // The track bar moved: the playback position and the cursor follow it.
    void TrackBar1Change();
    // "Marker sichtbar".
    void CB_MarkerEnabledClick();
    // A grid cell of the clock or a colour column became current: puts the marker on that
    // colour's trace (clock and red: A, green: B, blue: C) at the row's tick.
    void ShowStepMarker(int column, int row);

private:
    const SequenceTable& m_table;
    const SequenceGridModel& m_grid;
    Controls m_c;
    Playback m_playback;
    std::vector<std::uint8_t> m_levels; // one channel's samples during a rebuild
};
