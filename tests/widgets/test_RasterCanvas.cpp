#include "PixelHelpers.h"

#include "tests/support/TestRegistry.h"
#include "widgets/RasterCanvas.h"

#include <QTest>

#include <climits>

using Points = QList<QPoint>;

class TestRasterCanvas : public QObject {
    Q_OBJECT
private slots:
    void linesLeaveOutTheirEndPixel_data();
    void linesLeaveOutTheirEndPixel();
    void polylineCoversEachPixelOnce();
    void clippingMatchesUnclippedDrawing();
    void xorAndNotXor_data();
    void xorAndNotXor();
    void allRasterModes_data();
    void allRasterModes();
    void fillRectIsClippedAndCopies();
    void circleIsSevenPixelsWideOutlinedAndFilled();
    void circleAtTheCornerIsClipped();
};

void TestRasterCanvas::linesLeaveOutTheirEndPixel_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<Points>("expected");
    QTest::newRow("right") << QPoint(1, 1) << QPoint(4, 1) << Points{{1, 1}, {2, 1}, {3, 1}};
    QTest::newRow("left") << QPoint(4, 1) << QPoint(1, 1) << Points{{4, 1}, {3, 1}, {2, 1}};
    QTest::newRow("down") << QPoint(2, 0) << QPoint(2, 3) << Points{{2, 0}, {2, 1}, {2, 2}};
    QTest::newRow("up") << QPoint(2, 3) << QPoint(2, 0) << Points{{2, 3}, {2, 2}, {2, 1}};
    QTest::newRow("diagonal") << QPoint(0, 0) << QPoint(3, 3) << Points{{0, 0}, {1, 1}, {2, 2}};
    QTest::newRow("shallow") << QPoint(0, 0) << QPoint(4, 2) << Points{{0, 0}, {1, 1}, {2, 1}, {3, 2}};
    QTest::newRow("steep up-left") << QPoint(3, 4) << QPoint(2, 0) << Points{{3, 4}, {3, 3}, {2, 2}, {2, 1}};
    QTest::newRow("same point") << QPoint(2, 2) << QPoint(2, 2) << Points{};
    QTest::newRow("clipped run") << QPoint(-5, 2) << QPoint(30, 2)
                                 << Points{{0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}, {7, 2}};
    QTest::newRow("clipped diagonal") << QPoint(-3, -3) << QPoint(20, 20)
                                      << Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}};
    QTest::newRow("ends on the image edge") << QPoint(7, 5) << QPoint(9, 5) << Points{{7, 5}};
    QTest::newRow("outside") << QPoint(-10, -1) << QPoint(20, -3) << Points{};
    QTest::newRow("far away") << QPoint(INT_MIN / 2, 3) << QPoint(INT_MAX / 2, 3)
                              << Points{{0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}};
}

void TestRasterCanvas::linesLeaveOutTheirEndPixel()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(Points, expected);
    QImage image = BlackImage(8, 8);
    RasterCanvas canvas(image);
    canvas.SetPenColor(qRgb(255, 255, 255));
    canvas.MoveTo(from.x(), from.y());
    canvas.LineTo(to.x(), to.y());
    QCOMPARE(canvas.PenPos(), to);
    const QSet<QPoint> drawn = PixelsNotEqual(image, qRgb(0, 0, 0));
    QCOMPARE(drawn, QSet<QPoint>(expected.begin(), expected.end()));
    for (const QPoint& p : expected) {
        QCOMPARE(image.pixel(p), qRgb(255, 255, 255));
    }
}

void TestRasterCanvas::polylineCoversEachPixelOnce()
{
    // With XOR a pixel drawn twice would vanish; the corners of a polyline must not.
    QImage image = BlackImage(6, 6);
    RasterCanvas canvas(image);
    canvas.SetPenMode(TPenMode::Xor);
    canvas.SetPenColor(qRgb(0, 200, 0));
    canvas.MoveTo(0, 0);
    canvas.LineTo(3, 0);
    canvas.LineTo(3, 3);
    canvas.LineTo(0, 3);
    canvas.LineTo(0, 0);
    const QSet<QPoint> drawn = PixelsNotEqual(image, qRgb(0, 0, 0));
    QCOMPARE(drawn.size(), 12);
    for (const QPoint& corner : {QPoint(0, 0), QPoint(3, 0), QPoint(3, 3), QPoint(0, 3)}) {
        QCOMPARE(Px(image, corner.x(), corner.y()), Rgb(0, 200, 0));
    }
}

void TestRasterCanvas::clippingMatchesUnclippedDrawing()
{
    // Lines between points around a 16 x 12 image cover exactly the pixels that the same lines
    // cover on a large image holding every end point, seen through a 16 x 12 window.
    constexpr int kShift = 30;
    QList<QPoint> ends;
    for (int y = -20; y <= 34; y += 9) {
        for (int x = -21; x <= 40; x += 7) {
            ends << QPoint(x, y);
        }
    }
    for (const QPoint& a : ends) {
        for (const QPoint& b : ends) {
            QImage small = BlackImage(16, 12);
            QImage large = BlackImage(100, 100);
            RasterCanvas clipped(small);
            RasterCanvas whole(large);
            clipped.SetPenColor(qRgb(255, 255, 255));
            whole.SetPenColor(qRgb(255, 255, 255));
            clipped.MoveTo(a.x(), a.y());
            clipped.LineTo(b.x(), b.y());
            whole.MoveTo(a.x() + kShift, a.y() + kShift);
            whole.LineTo(b.x() + kShift, b.y() + kShift);
            const QImage window = large.copy(kShift, kShift, 16, 12);
            QVERIFY2(small == window, qPrintable(QStringLiteral("(%1,%2)-(%3,%4)").arg(a.x()).arg(a.y()).arg(b.x()).arg(b.y())));
        }
    }
}

void TestRasterCanvas::xorAndNotXor_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<uint>("pixel");
    QTest::addColumn<uint>("pen");
    QTest::addColumn<uint>("expected");
    QTest::newRow("xor red over green") << int(TPenMode::Xor) << uint(Rgb(0, 128, 0)) << uint(Rgb(255, 0, 0))
                                        << uint(Rgb(255, 128, 0));
    QTest::newRow("xor twice back") << int(TPenMode::Xor) << uint(Rgb(255, 128, 0)) << uint(Rgb(255, 0, 0))
                                    << uint(Rgb(0, 128, 0));
    QTest::newRow("not-xor grey on black") << int(TPenMode::NotXor) << uint(Rgb(0, 0, 0)) << uint(Rgb(128, 128, 128))
                                           << uint(Rgb(127, 127, 127));
    QTest::newRow("not-xor grey on grid") << int(TPenMode::NotXor) << uint(Rgb(48, 48, 48)) << uint(Rgb(128, 128, 128))
                                          << uint(Rgb(79, 79, 79));
    QTest::newRow("copy") << int(TPenMode::Copy) << uint(Rgb(1, 2, 3)) << uint(Rgb(9, 8, 7)) << uint(Rgb(9, 8, 7));
}

void TestRasterCanvas::xorAndNotXor()
{
    QFETCH(int, mode);
    QFETCH(uint, pixel);
    QFETCH(uint, pen);
    QFETCH(uint, expected);
    QImage image(3, 1, QImage::Format_RGB32);
    image.fill(pixel | 0xFF000000u);
    RasterCanvas canvas(image);
    canvas.SetPenMode(TPenMode(mode));
    canvas.SetPenColor(pen);
    canvas.Plot(1, 0);
    QCOMPARE(Hex(image.pixel(1, 0)), Hex(expected));
    QCOMPARE(qAlpha(image.pixel(1, 0)), 255);
    QCOMPARE(Hex(image.pixel(0, 0)), Hex(pixel)); // neighbours untouched
}

void TestRasterCanvas::allRasterModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<uint>("expected");
    const uint d = 0x12F05A;
    const uint p = 0x3C0FA5;
    const uint m = 0xFFFFFF;
    QTest::newRow("black") << int(TPenMode::Black) << 0u;
    QTest::newRow("white") << int(TPenMode::White) << m;
    QTest::newRow("nop") << int(TPenMode::Nop) << d;
    QTest::newRow("not") << int(TPenMode::Not) << (~d & m);
    QTest::newRow("copy") << int(TPenMode::Copy) << p;
    QTest::newRow("not copy") << int(TPenMode::NotCopy) << (~p & m);
    QTest::newRow("merge pen not") << int(TPenMode::MergePenNot) << ((p | ~d) & m);
    QTest::newRow("mask pen not") << int(TPenMode::MaskPenNot) << (p & ~d & m);
    QTest::newRow("merge not pen") << int(TPenMode::MergeNotPen) << ((~p | d) & m);
    QTest::newRow("mask not pen") << int(TPenMode::MaskNotPen) << (~p & d & m);
    QTest::newRow("merge") << int(TPenMode::Merge) << (p | d);
    QTest::newRow("not merge") << int(TPenMode::NotMerge) << (~(p | d) & m);
    QTest::newRow("mask") << int(TPenMode::Mask) << (p & d);
    QTest::newRow("not mask") << int(TPenMode::NotMask) << (~(p & d) & m);
    QTest::newRow("xor") << int(TPenMode::Xor) << (p ^ d);
    QTest::newRow("not xor") << int(TPenMode::NotXor) << (~(p ^ d) & m);
}

void TestRasterCanvas::allRasterModes()
{
    QFETCH(int, mode);
    QFETCH(uint, expected);
    const QRgb result = RasterCanvas::Apply(TPenMode(mode), 0xFF12F05Au, 0xFF3C0FA5u);
    QCOMPARE(Hex(result), Hex(expected));
    QCOMPARE(qAlpha(result), 255);
}

void TestRasterCanvas::fillRectIsClippedAndCopies()
{
    QImage image = BlackImage(5, 4);
    RasterCanvas canvas(image);
    canvas.SetPenMode(TPenMode::Xor); // fills ignore the pen mode
    canvas.FillRect(QRect(QPoint(3, -2), QPoint(9, 1)), qRgb(10, 20, 30));
    canvas.FillRect(QRect(QPoint(2, 3), QPoint(0, 3)), qRgb(255, 255, 255)); // inverted: nothing
    const QSet<QPoint> expected{{3, 0}, {4, 0}, {3, 1}, {4, 1}};
    QCOMPARE(PixelsNotEqual(image, qRgb(0, 0, 0)), expected);
    QCOMPARE(image.pixel(4, 1), qRgb(10, 20, 30));
}

void TestRasterCanvas::circleIsSevenPixelsWideOutlinedAndFilled()
{
    QImage image = BlackImage(11, 11);
    RasterCanvas canvas(image);
    canvas.SetPenColor(qRgb(255, 0, 0));
    canvas.SetFillColor(qRgb(0, 0, 255));
    canvas.MoveTo(1, 1);
    canvas.Circle(5, 5);
    QCOMPARE(canvas.PenPos(), QPoint(1, 1));
    // O: outline (pen), F: fill, .: untouched; rows and columns 2..8.
    const char* const expected[] = {
        "..OOO..", //
        ".OFFFO.", //
        "OFFFFFO", //
        "OFFFFFO", //
        "OFFFFFO", //
        ".OFFFO.", //
        "..OOO..",
    };
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 11; ++x) {
            char want = '.';
            if (x >= 2 && x <= 8 && y >= 2 && y <= 8) {
                want = expected[y - 2][x - 2];
            }
            const QRgb color = want == 'O' ? Rgb(255, 0, 0) : want == 'F' ? Rgb(0, 0, 255) : Rgb(0, 0, 0);
            QVERIFY2(Px(image, x, y) == color, qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    }
}

void TestRasterCanvas::circleAtTheCornerIsClipped()
{
    QImage image = BlackImage(4, 4);
    RasterCanvas canvas(image);
    canvas.SetPenColor(qRgb(255, 0, 0));
    canvas.SetFillColor(qRgb(0, 0, 255));
    canvas.Circle(0, 0);
    canvas.Circle(-100, 50); // wholly outside
    QCOMPARE(Px(image, 0, 0), Rgb(0, 0, 255));
    QCOMPARE(Px(image, 3, 0), Rgb(255, 0, 0));
    QCOMPARE(Px(image, 3, 3), Rgb(0, 0, 0));
}

TINTARO_REGISTER_TEST(TestRasterCanvas);

#include "test_RasterCanvas.moc"
