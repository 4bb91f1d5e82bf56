#pragma once

// The whole main window driven like a user for the preview and the simulation: grid cells,
// the check, mouse moves on the wave screen, the track bar, and (optionally) the fake
// transmitter whose reports are decoded into frames.
#include "app/SideColumn.h"
#include "control/ChannelSliders.h"
#include "preview/PlaybackSimulation.h"
#include "preview/PreviewArea.h"
#include "preview/WaveformPreview.h"
#include "sequence/SequencePanel.h"
#include "tests/support/FormRig.h"
#include "widgets/FlatButton.h"
#include "widgets/RgbLedBar.h"
#include "widgets/SpinEdit.h"
#include "widgets/WaveScreen.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QList>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTimer>

// One step of a sequence as typed into the grid: ticks (65536 = end mark), red, green, blue.
struct GridStep {
    int ticks;
    int red, green, blue;
};

struct PreviewRig : FormRig {
    explicit PreviewRig(bool show = true) : FormRig({.show = show}) {}

    TWaveScreen& screen() const { return *form->preview->WaveScreen1; }
    TRGB_LED_Balken& bar() const { return *form->preview->RGB_LED_Balken1; }
    QSlider& track() const { return *form->preview->TrackBar1; }
    TCSpinEdit& zoom() const { return *form->side->CSpinEdit1; }
    QLineEdit& cursorEdit() const { return *form->side->CursorPos_Edit; }
    QScrollBar& scroll(int channel) const { return *form->sliders->bar(channel); }
    QCheckBox& simulationBox() const { return *form->side->CB_Simulation; }
    QTimer& timer() const { return *form->simulation->Timer2; }
    Playback& playback() const { return form->waveform->playback(); }

    // Levels the three scroll bars stand for.
    QList<int> sliderLevels() const
    {
        return {255 - scroll(0).value(), 255 - scroll(1).value(), 255 - scroll(2).value()};
    }

    // Types the steps into grid rows 1.. and runs the check as its button does.
    void setSequence(const QList<GridStep>& steps)
    {
        SequenceGridModel& g = form->gridModel();
        for (int i = 0; i < steps.size(); ++i) {
            const int row = i + 1;
            g.setCell(SequenceGridModel::ColTicks, row, QString::number(steps[i].ticks));
            g.setCell(SequenceGridModel::ColRed, row, QString::number(steps[i].red));
            g.setCell(SequenceGridModel::ColGreen, row, QString::number(steps[i].green));
            g.setCell(SequenceGridModel::ColBlue, row, QString::number(steps[i].blue));
        }
        form->sequence->BB_SequenzPruefen->click();
    }

    // The x of the plot column that shows `tick` at the current zoom.
    int columnOf(int tick) const
    {
        const TWaveScreen& s = screen();
        const int span = s.width() - 1 - s.ScreenBorder().Left() - s.ScreenBorder().Right();
        const int samples = s.ScreenGrid().VerticalLineCount() * form->preview->WaveScreen1->WaveBufferA().SamplePerDiv();
        return s.ScreenBorder().Left() + int(qint64(tick) * span / samples);
    }

    // A mouse move over the wave screen as the window system delivers it.
    void moveMouse(int x, Qt::MouseButtons buttons) const
    {
        const QPointF at(x, screen().height() / 2);
        QMouseEvent move(QEvent::MouseMove, at, screen().mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&screen(), &move);
    }
};
