#pragma once

#include <QObject>

#include <array>

struct Playback;
class QCheckBox;
class QSlider;
class QTimer;
class TCSpinEdit;

// Plays the checked sequence on the screen: Timer2 steps the playback position through
// 0..PlaybackEnd, one tick per event, and puts it on TrackBar1, whose change handler moves
// the cursor and the channel values (and, with "Senden", the module). Running exactly while
// CB_Simulation is checked; other areas stop it by unchecking the box.
class PlaybackSimulation : public QObject {
    Q_OBJECT
public:
    static constexpr int StartInterval = 100; // ms, as CSpinEdit2 starts

    struct Controls {
        QCheckBox* CB_Simulation = nullptr;
        TCSpinEdit* CSpinEdit2 = nullptr;                // ms per simulated tick
        std::array<TCSpinEdit*, 3> percentages{};       // Red_Pro_CSpinEdit, Green_..., Blue_...
        QSlider* TrackBar1 = nullptr;
    };

    // Creates Timer2 (stopped) and connects the controls' change signals to the handlers.
    PlaybackSimulation(Playback& playback, const Controls& controls, QObject* parent = nullptr);

    QTimer* Timer2;

    // CB_Simulation changed (by the user or by the program): starts or stops the timer and
    // takes the track bar position as the playback position.
    void CB_SimulationClick();
    // One step: the next tick, after PlaybackEnd tick 0.
    void Timer2Timer();
    // CSpinEdit2 or one of the percentage fields changed: the interval from CSpinEdit2.
    void CSpinEdit2Change();

private:
    Playback& m_playback;
    Controls m_c;
};
