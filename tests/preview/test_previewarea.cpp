// The scope area on its own: the wave screen's settings as the program uses them, the LED bar
// before the first rebuild, and the bar standing over exactly the screen's plot columns.
#include "tests/preview/PreviewRig.h"
#include "tests/support/TestRegistry.h"

#include <QFrame>

namespace {
TScreenWaveBuffer& trace(TWaveScreen& s, int n)
{
    return n == 0 ? s.WaveBufferA() : n == 1 ? s.WaveBufferB() : s.WaveBufferC();
}

// The bar's columns are the plot's columns: same left x in the panel, width = plot span.
void verifyBarOverPlot(const PreviewArea& area)
{
    const TWaveScreen& s = *area.WaveScreen1;
    const QWidget& bar = *area.RGB_LED_Balken1;
    const int span = s.width() - 1 - s.ScreenBorder().Left() - s.ScreenBorder().Right();
    QCOMPARE(bar.x(), s.x() + s.ScreenBorder().Left());
    QCOMPARE(bar.width(), span);
    QCOMPARE(bar.height(), PreviewArea::BarHeight);
    // Above the screen, inside the panel; the screen stands on the panel's bottom.
    QVERIFY(bar.geometry().bottom() < s.y());
    QCOMPARE(s.geometry().bottom(), area.Panel1->contentsRect().bottom());
    QCOMPARE(s.height(), PreviewArea::WaveHeight);
}
} // namespace

class TestPreviewArea : public QObject {
    Q_OBJECT
private slots:
    void screenSettings();
    void traceSettings_data();
    void traceSettings();
    void cursorSettings();
    void barBeforeTheFirstRebuild();
    void barSpansThePlotArea_data();
    void barSpansThePlotArea();
    void trackBarAsBuilt();
};
TINTARO_REGISTER_TEST(TestPreviewArea);

void TestPreviewArea::screenSettings()
{
    PreviewArea area;
    TWaveScreen& s = *area.WaveScreen1;
    QCOMPARE(s.objectName(), QStringLiteral("WaveScreen1"));
    QCOMPARE(s.parentWidget(), area.Panel1);
    QCOMPARE(s.cursor().shape(), Qt::BlankCursor);
    QCOMPARE(s.ScreenBorder().Top(), 5);
    QCOMPARE(s.ScreenBorder().Bottom(), 5);
    QCOMPARE(s.ScreenBorder().Left(), 5);
    QCOMPARE(s.ScreenBorder().Right(), 5);
    QCOMPARE(s.ScreenColors().Grid(), QColor(48, 48, 48));
    QCOMPARE(s.ScreenColors().AuxGrid(), QColor(32, 32, 32));
    QCOMPARE(s.ScreenColors().Background(), QColor(0, 0, 0));
    const TScreenGrid& g = s.ScreenGrid();
    QCOMPARE(g.VerticalLineCount(), 10);
    QCOMPARE(g.HorizontalLineCount(), 10);
    QCOMPARE(g.HorizontalAuxLineCount(), 1);
    QCOMPARE(g.HorizontalGridEnabled(), true);
    QCOMPARE(g.VerticalGridEnabled(), false);
    QCOMPARE(g.VerticalAuxLineCount(), 10);
    QCOMPARE(g.VerticalGridFix(), false);
    QCOMPARE(g.VerticalGridFrequenz(), 10.0);
    QCOMPARE(g.VerticalValuePerSample(), 1.0);
    // The screen paints outside its plot area in the panel's colour: black.
    QCOMPARE(area.Panel1->palette().color(area.Panel1->backgroundRole()), QColor(Qt::black));
}

void TestPreviewArea::traceSettings_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("A red") << 0 << QColor(255, 0, 0);
    QTest::newRow("B green") << 1 << QColor(0, 128, 0);
    QTest::newRow("C blue") << 2 << QColor(0, 0, 255);
}

void TestPreviewArea::traceSettings()
{
    QFETCH(int, n);
    QFETCH(QColor, colour);
    PreviewArea area;
    const TScreenWaveBuffer& t = trace(*area.WaveScreen1, n);
    QCOMPARE(t.Size(), 65536);
    QCOMPARE(t.AmplitudePerDiv(), 25.5);
    QCOMPARE(t.SamplePerDiv(), 300);
    QCOMPARE(t.SampleOffset(), 0);
    QCOMPARE(t.WaveColor(), colour);
    QCOMPARE(t.WaveMode(), TPenMode::Xor);
    QCOMPARE(t.ZeroLinePos(), TScreenPos::zlpBottom);
    QCOMPARE(t.Enabled(), true);
    QCOMPARE(t.MarkerOn(), false);
    QCOMPARE(t.DemoOn(), false);
    QCOMPARE(t.GetBuffer(0), 0.0);
    QCOMPARE(t.GetBuffer(65535), 0.0);
}

void TestPreviewArea::cursorSettings()
{
    PreviewArea area;
    const TScreenCursor& c = area.WaveScreen1->ScreenCursor();
    QCOMPARE(c.CursorStyle(), TCursorStyle::csVertLine);
    QCOMPARE(c.Color(), QColor(128, 128, 128));
    QCOMPARE(c.PenMode(), TPenMode::NotXor);
    QCOMPARE(c.Enabled(), true);
    QCOMPARE(c.MarkerEnabled(), false);
    QCOMPARE(c.MarkerStyle(), TMarkerStyle::msCircle);
    QCOMPARE(c.WaveBufferNumber(), 1);
    QCOMPARE(&c.WaveBuffer(), &area.WaveScreen1->WaveBufferA());
    QCOMPARE(c.SnapToX(), true);
    QCOMPARE(c.SnapToY(), true);
    QCOMPARE(c.PosX(), -1);
    QCOMPARE(c.PosMX(), 0);
}

void TestPreviewArea::barBeforeTheFirstRebuild()
{
    PreviewArea area;
    area.resize(743, 420);
    TRGB_LED_Balken& bar = *area.RGB_LED_Balken1;
    QCOMPARE(bar.objectName(), QStringLiteral("RGB_LED_Balken1"));
    QCOMPARE(bar.Size(), 65536);
    QCOMPARE(bar.View(), 0);
    bar.Repaint();
    const QImage& image = bar.image();
    QCOMPARE(image.size(), bar.size());
    for (int x = 0; x < image.width(); x += 7)
        QCOMPARE(image.pixel(x, image.height() / 2), qRgb(0, 0, 0));
}

void TestPreviewArea::barSpansThePlotArea_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("design") << QSize(743, 434);
    QTest::newRow("wider and taller") << QSize(1100, 600);
    QTest::newRow("narrow") << QSize(300, 430);
}

void TestPreviewArea::barSpansThePlotArea()
{
    QFETCH(QSize, size);
    PreviewArea area;
    area.resize(size);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    verifyBarOverPlot(area);
    QCOMPARE(area.TrackBar1->width(), area.width());
    QCOMPARE(area.Panel1->width(), area.width());
    QCOMPARE(area.Panel1->y(), area.TrackBar1->geometry().bottom() + 1);

    // Resized while shown: the bar follows the plot area.
    area.resize(size + QSize(57, 31));
    QCoreApplication::processEvents();
    verifyBarOverPlot(area);
}

void TestPreviewArea::trackBarAsBuilt()
{
    PreviewArea area;
    const QSlider& t = *area.TrackBar1;
    QCOMPARE(t.objectName(), QStringLiteral("TrackBar1"));
    QCOMPARE(t.orientation(), Qt::Horizontal);
    QCOMPARE(t.minimum(), 0);
    QCOMPARE(t.maximum(), 999);
    QCOMPARE(t.tickInterval(), 100);
    QCOMPARE(t.tickPosition(), QSlider::TicksBelow);
    QCOMPARE(t.value(), 0);
}

#include "test_previewarea.moc"
