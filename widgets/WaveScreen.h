#pragma once

#include "widgets/WaveScreenProps.h"

#include <QImage>
#include <QWidget>

// An oscilloscope-like display: up to three traces (WaveBufferA/B/C) over a frame with a
// grid, a cursor line that follows the mouse and a marker on the selected trace.
//
// Drawing goes through two bitmaps of its own: the background (frame and grid), rebuilt only
// when the size or a grid-related setting changes, and the frame, rebuilt on every Repaint
// from the background, the traces and the cursor and then shown. Both are readable without a
// screen (frame(), background()).
class TWaveScreen : public QWidget {
    Q_OBJECT
public:
    explicit TWaveScreen(QWidget* parent = nullptr);
    ~TWaveScreen() override;

    TScreenBorders& ScreenBorder() { return m_borders; }
    TScreenColors& ScreenColors() { return m_colors; }
    const TScreenCoordinats& ScreenCoordinates() const { return m_coordinates; }
    TScreenGrid& ScreenGrid() { return m_grid; }
    TScreenCursor& ScreenCursor() { return m_cursor; }
    TScreenWaveBuffer& WaveBufferA() { return m_traces[0]; }
    TScreenWaveBuffer& WaveBufferB() { return m_traces[1]; }
    TScreenWaveBuffer& WaveBufferC() { return m_traces[2]; }
    const TScreenBorders& ScreenBorder() const { return m_borders; }
    const TScreenColors& ScreenColors() const { return m_colors; }
    const TScreenGrid& ScreenGrid() const { return m_grid; }
    const TScreenCursor& ScreenCursor() const { return m_cursor; }

    // While suspended, Repaint and PaintBackground only note that they are due; resuming
    // runs each due one once. A caller that changes several settings in a row (each of
    // which redraws) pays for one redraw.
    void SetUpdatesSuspended(bool suspended);

    // Rebuilds the frame bitmap (background, traces C, B, A, cursor) and shows it.
    void Repaint();
    // Shows the frame bitmap, rebuilding everything first when the size changed.
    void Paint();
    // Rebuilds the background bitmap: parent's fill outside the plot area, plot area, grid.
    void PaintBackground();
    // Draws one trace into a bitmap of the screen's size.
    void PaintWave(QImage& bitmap, const TScreenWaveBuffer& trace);
    // Draws cursor lines and marker into a bitmap of the screen's size and updates the
    // cursor's values (only when the selected trace has samples).
    void PaintCursor(QImage& bitmap);
    // ScreenCursor().WaveBuffer := trace C for number 3, B for 2, else A.
    void SetWaveBuffer();
    // Sample index under pixel column x for the selected trace, without SampleOffset.
    int GetBufferPos(int x) const;
    // value := sample at position (clamped), index := that position; 0.0 / -1 without samples.
    void GetBufferData(double& value, int& index, int position) const;

    // The mouse handling behind the Qt events, callable directly.
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int X, int Y);
    void MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                   bool doubleClick, int X, int Y);

    // The bitmaps as last built (empty until the first Repaint or paint).
    const QImage& frame() const { return m_frame; }
    const QImage& background() const { return m_backgroundImage; }

signals:
    // After the widget has moved its cursor and read the values.
    void OnMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int X, int Y);
    void OnMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                     bool doubleClick, int X, int Y);
    // sender: the screen (mouse move, repaint) or its ScreenCursor (SetPosMX).
    void OnChangeCursorValue(QObject* sender);
    void OnResize();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    friend class TScreenCursor;
    struct Geometry;
    Geometry Layout() const;
    void BuildFrame();
    // For each trace with samples, selected in turn: its cursor value and index at
    // positionOf(trace number 0..2). Restores the selection; true if any trace had samples.
    template <typename PositionOf> bool ReadCursorValues(PositionOf positionOf);
    void MoveCursorTo(int position); // body of ScreenCursor().SetPosMX
    QRgb ParentFill() const;

    TScreenBorders m_borders;
    TScreenColors m_colors;
    TScreenCoordinats m_coordinates;
    TScreenGrid m_grid;
    TScreenWaveBuffer m_traces[3];
    TScreenCursor m_cursor;
    QImage m_backgroundImage;
    QImage m_frame;
    bool m_suspended = false;
    bool m_backgroundDue = false;
    bool m_repaintDue = false;
};
