#include "preview/PreviewArea.h"

#include "widgets/RgbLedBar.h"
#include "widgets/WaveScreen.h"

#include <QFrame>
#include <QSlider>

namespace {
constexpr int TrackHeight = 26;
constexpr int WaveHeight = 373;
constexpr int BarHeight = 19;
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
    WaveScreen1 = new TWaveScreen(Panel1);
    WaveScreen1->setObjectName(QStringLiteral("WaveScreen1"));
    WaveScreen1->setCursor(Qt::BlankCursor);
}

void PreviewArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    TrackBar1->setGeometry(0, 0, width(), TrackHeight);
    Panel1->setGeometry(0, TrackHeight, width(), height() - TrackHeight);
    const QRect inner = Panel1->contentsRect();
    // The wave screen sits at the panel's bottom; the LED bar stands above its plot area.
    WaveScreen1->setGeometry(inner.left(), inner.bottom() + 1 - WaveHeight, inner.width(), WaveHeight);
    RGB_LED_Balken1->setGeometry(inner.left() + 5, inner.top() + 2, inner.width() - 11, BarHeight);
}
