#include "preview/PlaybackSimulation.h"

#include "preview/Playback.h"
#include "widgets/SpinEdit.h"

#include <QCheckBox>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <climits>

PlaybackSimulation::PlaybackSimulation(Playback& playback, const Controls& controls, QObject* parent)
    : QObject(parent), m_playback(playback), m_c(controls)
{
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(StartInterval);
    connect(Timer2, &QTimer::timeout, this, &PlaybackSimulation::Timer2Timer);

    connect(m_c.CB_Simulation, &QCheckBox::toggled, this, &PlaybackSimulation::CB_SimulationClick);
    // The percentage fields share the handler; for them it only re-applies the interval.
    connect(m_c.CSpinEdit2, &QSpinBox::valueChanged, this, &PlaybackSimulation::CSpinEdit2Change);
    for (TCSpinEdit* percent : m_c.percentages)
        connect(percent, &QSpinBox::valueChanged, this, &PlaybackSimulation::CSpinEdit2Change);
}

void PlaybackSimulation::CB_SimulationClick()
{
    if (m_c.CB_Simulation->isChecked())
        Timer2->start();
    else
        Timer2->stop();
    // Starts from wherever the track bar stands; stopping leaves the position as it is.
    m_playback.PlaybackPosition = static_cast<std::uint32_t>(std::max(0, m_c.TrackBar1->value()));
}

void PlaybackSimulation::Timer2Timer()
{
    ++m_playback.PlaybackPosition;
    if (m_playback.PlaybackPosition > m_playback.PlaybackEnd)
        m_playback.PlaybackPosition = 0;
    // A change runs TrackBar1Change, which stores the (clamped) position back.
    m_c.TrackBar1->setValue(static_cast<int>(std::min<std::uint32_t>(m_playback.PlaybackPosition, INT_MAX)));
}

void PlaybackSimulation::CSpinEdit2Change()
{
    // A running timer goes on with the new interval.
    Timer2->setInterval(m_c.CSpinEdit2->value());
}
