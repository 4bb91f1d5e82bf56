#pragma once

#include "widgets/WaveScreen.h"

#include <QPalette>
#include <QWidget>

// The settings the program gives its wave screen: 5 px borders, 10 x 10 divisions, one
// auxiliary step up, no vertical grid, traces 0..255 with XOR pens on zlpBottom.
inline void ConfigureLikeProgram(TWaveScreen& screen)
{
    screen.resize(733, 373); // plot area 722 x 362 px
    for (auto set : {&TScreenBorders::SetTop, &TScreenBorders::SetBottom, &TScreenBorders::SetLeft, &TScreenBorders::SetRight}) {
        (screen.ScreenBorder().*set)(5);
    }
    screen.ScreenColors().SetGrid(QColor(48, 48, 48));
    screen.ScreenColors().SetAuxGrid(QColor(32, 32, 32));
    screen.ScreenColors().SetBackground(QColor(0, 0, 0));
    TScreenGrid& grid = screen.ScreenGrid();
    grid.SetVerticalLineCount(10);
    grid.SetHorizontalLineCount(10);
    grid.SetHorizontalAuxLineCount(1);
    grid.SetHorizontalGridEnabled(true);
    grid.SetVerticalGridEnabled(false);
    grid.SetVerticalAuxLineCount(10);
    grid.SetVerticalGridFix(false);
    grid.SetVerticalGridFrequenz(10);
    grid.SetVerticalValuePerSample(1);
    const QColor colors[] = {QColor(255, 0, 0), QColor(0, 128, 0), QColor(0, 0, 255)};
    TScreenWaveBuffer* traces[] = {&screen.WaveBufferA(), &screen.WaveBufferB(), &screen.WaveBufferC()};
    for (int k = 0; k < 3; ++k) {
        TScreenWaveBuffer& t = *traces[k];
        t.SetSize(65536);
        t.SetAmplitudePerDiv(25.5);
        t.SetSamplePerDiv(300);
        t.SetWaveMode(TPenMode::Xor);
        t.SetZeroLinePos(TScreenPos::zlpBottom);
        t.SetEnabled(true);
        t.SetMarkerOn(false);
        t.SetWaveColor(colors[k]);
    }
    TScreenCursor& cursor = screen.ScreenCursor();
    cursor.SetCursorStyle(TCursorStyle::csVertLine);
    cursor.SetColor(QColor(128, 128, 128));
    cursor.SetEnabled(true);
    cursor.SetMarkerEnabled(false);
    cursor.SetMarkerStyle(TMarkerStyle::msCircle);
    cursor.SetWaveBufferNumber(1);
    cursor.SetSnapToX(true);
    cursor.SetSnapToY(true);
    cursor.SetPosX(-1);
}

// A black panel like the one that holds the program's wave screen.
inline void MakeBlack(QWidget& panel)
{
    QPalette palette = panel.palette();
    palette.setColor(QPalette::Window, Qt::black);
    panel.setPalette(palette);
}

inline void Fill(TScreenWaveBuffer& trace, double value)
{
    for (int i = 0; i < trace.Size(); ++i) {
        trace.SetBuffer(i, value);
    }
}
