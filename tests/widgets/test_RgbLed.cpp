#include "PixelHelpers.h"

#include "tests/support/TestRegistry.h"
#include "widgets/RgbLed.h"
#include "widgets/RgbLedBar.h"

#include <QTest>

namespace {

// Entry i of a bar gets a colour of its own: (i mod 256, i / 256 mod 256, 7).
void FillDistinct(TRGB_LED_Balken& bar)
{
    for (int i = 0; i < bar.Size(); ++i) {
        bar.SetBufferR(i, i);
        bar.SetBufferG(i, i >> 8);
        bar.SetBufferB(i, 7);
    }
}

QRgb EntryColor(int i) { return Rgb(i & 0xFF, (i >> 8) & 0xFF, 7); }

void CompareColumn(const QImage& image, int c, QRgb expected)
{
    for (int y = 0; y < image.height(); ++y) {
        QVERIFY2(Px(image, c, y) == expected, qPrintable(QStringLiteral("column %1 row %2: %3, expected %4")
                                                            .arg(c).arg(y).arg(Hex(Px(image, c, y)), Hex(expected))));
    }
}

} // namespace

class TestRgbLed : public QObject {
    Q_OBJECT
private slots:
    void ledDefaultsAndColour();
    void ledEqualColourDoesNotRedraw();
    void ledRedrawsAtTheNewSizeOnPaint();
    void barDefaults();
    void barViewZeroIsBlack();
    void barViewIsLimitedToSize_data();
    void barViewIsLimitedToSize();
    void barStoresLowEightBits_data();
    void barStoresLowEightBits();
    void barWithMoreEntriesThanColumns();
    void barWithFewerEntriesThanColumns();
    void barSizeZeroReleasesTheArrays();
    void barSizeRules();
    void barPaintRedrawsAfterAResize();
};

void TestRgbLed::ledDefaultsAndColour()
{
    TRGB_LED led;
    QCOMPARE(led.size(), QSize(25, 25));
    QCOMPARE(led.LEDColor(), QColor(255, 255, 255));
    led.resize(69, 49);
    led.SetLEDColor(QColor(10, 200, 30));
    QCOMPARE(led.image().size(), QSize(69, 49));
    QCOMPARE(PixelsNotEqual(led.image(), Rgb(10, 200, 30)), QSet<QPoint>{});
    QCOMPARE(qAlpha(led.image().pixel(0, 0)), 255);
}

void TestRgbLed::ledEqualColourDoesNotRedraw()
{
    TRGB_LED led;
    led.SetLEDColor(Qt::black);
    QCOMPARE(led.image().size(), QSize(25, 25));
    led.resize(40, 30); // shows in the image only after a redraw
    led.SetLEDColor(QColor(0, 0, 0));
    QCOMPARE(led.image().size(), QSize(25, 25));
    led.SetLEDColor(QColor(0, 0, 1));
    QCOMPARE(led.image().size(), QSize(40, 30));
    QCOMPARE(Px(led.image(), 39, 29), Rgb(0, 0, 1));
}

void TestRgbLed::ledRedrawsAtTheNewSizeOnPaint()
{
    TRGB_LED led;
    led.SetLEDColor(Qt::red);
    led.resize(30, 10);
    led.Paint();
    QCOMPARE(led.image().size(), QSize(30, 10));
    QCOMPARE(Px(led.image(), 29, 9), Rgb(255, 0, 0));
}

void TestRgbLed::barDefaults()
{
    TRGB_LED_Balken bar;
    QCOMPARE(bar.size(), QSize(25, 25));
    QCOMPARE(bar.Size(), 0);
    QCOMPARE(bar.View(), 0);
    QCOMPARE(bar.GetBufferR(0), 0);
}

void TestRgbLed::barViewZeroIsBlack()
{
    TRGB_LED_Balken bar;
    bar.resize(722, 19);
    bar.SetBufferSize(65536);
    FillDistinct(bar);
    bar.Repaint();
    QCOMPARE(bar.image().size(), QSize(722, 19));
    QCOMPARE(PixelsNotEqual(bar.image(), 0), QSet<QPoint>{});
}

void TestRgbLed::barViewIsLimitedToSize_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("stored");
    QTest::newRow("65540 over 65536") << 65536 << 65540 << 65536;
    QTest::newRow("within") << 65536 << 1530 << 1530;
    QTest::newRow("no entries") << 0 << 10 << 0;
    QTest::newRow("negative") << 100 << -5 << 0;
}

void TestRgbLed::barViewIsLimitedToSize()
{
    QFETCH(int, size);
    QFETCH(int, view);
    QFETCH(int, stored);
    TRGB_LED_Balken bar;
    bar.SetBufferSize(size);
    bar.SetView(view);
    QCOMPARE(bar.View(), stored);
}

void TestRgbLed::barStoresLowEightBits_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("stored");
    QTest::newRow("256 over 0") << 256 << 0;
    QTest::newRow("300") << 300 << 44;
    QTest::newRow("255") << 255 << 255;
    QTest::newRow("-1") << -1 << 255;
}

void TestRgbLed::barStoresLowEightBits()
{
    QFETCH(int, level);
    QFETCH(int, stored);
    TRGB_LED_Balken bar;
    bar.SetBufferSize(10);
    bar.Repaint();
    bar.resize(50, 5);
    bar.SetBufferR(3, level);
    bar.SetBufferG(4, level);
    bar.SetBufferB(9, level);
    QCOMPARE(bar.GetBufferR(3), stored);
    QCOMPARE(bar.GetBufferG(4), stored);
    QCOMPARE(bar.GetBufferB(9), stored);
    QCOMPARE(bar.GetBufferR(4), 0);
    QCOMPARE(bar.image().size(), QSize(25, 25)); // no redraw
    bar.SetBufferR(10, 9); // outside: ignored
    bar.SetBufferR(-1, 9);
    QCOMPARE(bar.GetBufferR(10), 0);
    QCOMPARE(bar.GetBufferR(-1), 0);
}

void TestRgbLed::barWithMoreEntriesThanColumns()
{
    TRGB_LED_Balken bar;
    bar.resize(722, 19);
    bar.SetBufferSize(65536);
    FillDistinct(bar);
    bar.SetView(1530);
    for (int c = 0; c < 722; ++c) {
        CompareColumn(bar.image(), c, EntryColor(1530 * c / 722));
    }
}

void TestRgbLed::barWithFewerEntriesThanColumns()
{
    TRGB_LED_Balken bar;
    bar.resize(722, 19);
    bar.SetBufferSize(65536);
    FillDistinct(bar);
    bar.SetView(100);
    // Entry e covers the columns c with 100 * c / 722 == e, moved left by (722 / 100) / 2 = 3.
    for (int c = 0; c < 719; ++c) {
        CompareColumn(bar.image(), c, EntryColor(100 * (c + 3) / 722));
    }
    for (int c = 719; c < 722; ++c) {
        CompareColumn(bar.image(), c, 0);
    }
    // Bands are 7 or 8 columns wide (the first and last cut by the shift).
    QMap<QRgb, int> widths;
    for (int c = 0; c < 719; ++c) {
        ++widths[Px(bar.image(), c, 0)];
    }
    QCOMPARE(widths.size(), 100);
    QCOMPARE(widths.value(EntryColor(0)), 5);
    for (int e = 1; e < 99; ++e) {
        QVERIFY(widths.value(EntryColor(e)) == 7 || widths.value(EntryColor(e)) == 8);
    }
}

void TestRgbLed::barSizeZeroReleasesTheArrays()
{
    TRGB_LED_Balken bar;
    bar.SetBufferSize(100);
    bar.SetView(80);
    bar.SetBufferR(5, 9);
    bar.Repaint();
    bar.resize(30, 30);
    bar.SetBufferSize(0);
    QCOMPARE(bar.Size(), 0);
    QCOMPARE(bar.View(), 0);
    QCOMPARE(bar.GetBufferR(5), 0);
    QCOMPARE(bar.GetBufferG(0), 0);
    QCOMPARE(bar.image().size(), QSize(25, 25)); // size 0 does not refresh
    bar.SetBufferR(0, 1);                       // no arrays: ignored
    QCOMPARE(bar.GetBufferR(0), 0);
}

void TestRgbLed::barSizeRules()
{
    TRGB_LED_Balken bar;
    bar.SetBufferSize(100);
    bar.SetBufferR(5, 9);
    bar.SetView(100);
    bar.SetBufferSize(-3); // ignored
    bar.SetBufferSize(100); // equal: the entries stay
    QCOMPARE(bar.GetBufferR(5), 9);
    bar.SetBufferSize(50); // new arrays of zeros, View lowered
    QCOMPARE(bar.GetBufferR(5), 0);
    QCOMPARE(bar.View(), 50);
    bar.resize(60, 4);
    bar.SetBufferSize(200); // a positive size refreshes
    QCOMPARE(bar.image().size(), QSize(60, 4));
    QCOMPARE(bar.View(), 50);
}

void TestRgbLed::barPaintRedrawsAfterAResize()
{
    TRGB_LED_Balken bar;
    bar.SetBufferSize(4);
    bar.SetBufferR(0, 255);
    bar.SetView(4);
    bar.resize(8, 3);
    bar.Paint();
    QCOMPARE(bar.image().size(), QSize(8, 3));
    CompareColumn(bar.image(), 0, Rgb(255, 0, 0)); // shift (8 / 4) / 2 = 1: entry 0 in columns 0
    CompareColumn(bar.image(), 1, 0);              // entry 1
    CompareColumn(bar.image(), 7, 0);              // the last half band stays black
}

TINTARO_REGISTER_TEST(TestRgbLed);

#include "test_RgbLed.moc"
