#include "preview/PreviewArea.h"

#include "widgets/RgbLedBar.h"
#include "widgets/WaveScreen.h"

#include <QFrame>
#include <QSlider>

#include <algorithm>

namespace {
struct TraceLook {
    TScreenWaveBuffer& (TWaveScreen::*trace)();
    QRgb colour;
};
// Trace A carries red, B green, C blue.
constexpr TraceLook Traces[] = {
    {&TWaveScreen::WaveBufferA, qRgb(255, 0, 0)},
    {&TWaveScreen::WaveBufferB, qRgb(0, 128, 0)},
    {&TWaveScreen::WaveBufferC, qRgb(0, 0, 255)},
};
} // namespace

PreviewArea::PreviewArea(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PreviewArea"));

    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setAccessibleName(QStringLiteral("Position"));
    TrackBar1->setRange(0, 999);
    TrackBar1->setTickInterval(100);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setValue(0);

    // The screen fills everything outside its plot area with the panel's colour: keep it black.
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Box);
    Panel1->setLineWidth(1);
    Panel1->setAutoFillBackground(true);
    QPalette p = Panel1->palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, QColor(128, 128, 128));
    Panel1->setPalette(p);

    RGB_LED_Balken1 = new TRGB_LED_Balken(Panel1);
    RGB_LED_Balken1->setObjectName(QStringLiteral("RGB_LED_Balken1"));
    RGB_LED_Balken1->SetBufferSize(Samples);
    RGB_LED_Balken1->SetView(0);

    WaveScreen1 = new TWaveScreen(Panel1);
    WaveScreen1->setObjectName(QStringLiteral("WaveScreen1"));
    WaveScreen1->setAccessibleName(QStringLiteral("Sequenzverlauf"));
    setUpWaveScreen();
}

void PreviewArea::setUpWaveScreen()
{
    TWaveScreen& s = *WaveScreen1;
    // Some thirty settings, each of which redraws: one redraw at the end is enough.
    s.SetUpdatesSuspended(true);
    // The mouse pointer would hide the thin cursor line it moves.
    s.setCursor(Qt::BlankCursor);

    TScreenBorders& border = s.ScreenBorder();
    border.SetTop(5);
    border.SetBottom(5);
    border.SetLeft(5);
    border.SetRight(5);

    TScreenColors& colours = s.ScreenColors();
    colours.SetGrid(QColor(48, 48, 48));
    colours.SetAuxGrid(QColor(32, 32, 32));
    colours.SetBackground(QColor(0, 0, 0));

    // Ten divisions each way; only horizontal lines inside the frame. The value-tied settings
    // stay inactive while the vertical grid is off.
    TScreenGrid& grid = s.ScreenGrid();
    grid.SetVerticalLineCount(10);
    grid.SetHorizontalLineCount(10);
    grid.SetHorizontalAuxLineCount(1);
    grid.SetHorizontalGridEnabled(true);
    grid.SetVerticalGridEnabled(false);
    grid.SetVerticalAuxLineCount(10);
    grid.SetVerticalGridFix(false);
    grid.SetVerticalGridFrequenz(10.0);
    grid.SetVerticalValuePerSample(1.0);

    // Levels 0..255 over ten divisions, value 0 on the bottom frame line.
    for (const TraceLook& look : Traces) {
        TScreenWaveBuffer& t = (s.*look.trace)();
        t.SetSize(Samples);
        t.SetAmplitudePerDiv(25.5);
        t.SetSamplePerDiv(300);
        t.SetWaveColor(QColor(look.colour));
        t.SetWaveMode(TPenMode::Xor);
        t.SetZeroLinePos(TScreenPos::zlpBottom);
        t.SetEnabled(true);
        t.SetMarkerOn(false);
    }

    TScreenCursor& cursor = s.ScreenCursor();
    cursor.SetCursorStyle(TCursorStyle::csVertLine);
    cursor.SetColor(QColor(128, 128, 128));
    cursor.SetPenMode(TPenMode::NotXor);
    cursor.SetEnabled(true);
    cursor.SetMarkerEnabled(false);
    cursor.SetMarkerStyle(TMarkerStyle::msCircle);
    cursor.SetWaveBufferNumber(1);
    cursor.SetSnapToX(true);
    cursor.SetSnapToY(true);
    cursor.SetPosX(-1);
    s.SetUpdatesSuspended(false);
}

void PreviewArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    TrackBar1->setGeometry(0, 0, width(), TrackHeight);
    Panel1->setGeometry(0, TrackHeight, width(), std::max(1, height() - TrackHeight));
    placeScope();
}

// The wave screen sits at the panel's bottom at its fixed height (less when the panel is too
// short to keep the LED bar free). The bar starts at the plot area's left column and is as wide
// as the plot span, so bar column c and screen column Left + c show the same tick.
void PreviewArea::placeScope()
{
    const QRect inner = Panel1->contentsRect();
    const int screenHeight = std::clamp(inner.height() - BarTop - BarHeight, 1, WaveHeight);
    WaveScreen1->setGeometry(inner.left(), inner.bottom() + 1 - screenHeight, std::max(1, inner.width()),
                             screenHeight);
    const TScreenBorders& border = WaveScreen1->ScreenBorder();
    const int span = WaveScreen1->width() - 1 - border.Right() - border.Left();
    RGB_LED_Balken1->setGeometry(WaveScreen1->x() + border.Left(), inner.top() + BarTop, std::max(1, span),
                                 BarHeight);
}
