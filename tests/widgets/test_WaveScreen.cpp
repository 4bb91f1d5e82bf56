#include "PixelHelpers.h"
#include "WaveScreenSetup.h"

#include "tests/support/TestRegistry.h"

#include <QTest>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

constexpr int kLeft = 5;       // plot area of the program's screen: columns 5..727,
constexpr int kTopRow = 5;     // rows 5 (top frame line) ..
constexpr int kBottomRow = 367; // 367 (bottom frame line)

// A borderless screen whose plot area is the whole control, grid and frame invisible on black,
// cursor and marker off, only trace A drawn: every non-black pixel is the trace's.
std::unique_ptr<TWaveScreen> SmallScreen(int w, int h, int samplePerDiv, int size, TPenMode mode)
{
    auto screen = std::make_unique<TWaveScreen>();
    screen->resize(w, h);
    screen->ScreenColors().SetGrid(Qt::black);
    screen->ScreenGrid().SetHorizontalGridEnabled(false);
    screen->ScreenGrid().SetVerticalGridEnabled(false);
    screen->ScreenCursor().SetEnabled(false);
    screen->ScreenCursor().SetMarkerEnabled(false);
    TScreenWaveBuffer& a = screen->WaveBufferA();
    a.SetSize(size);
    a.SetSamplePerDiv(samplePerDiv);
    a.SetZeroLinePos(TScreenPos::zlpBottom);
    a.SetWaveMode(mode);
    a.SetEnabled(true); // 10 divisions up over 20 rows, AmplitudePerDiv 1: 2 rows per unit
    return screen;
}

QList<int> RowsDrawn(const QImage& image, int x)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        if (Px(image, x, y) != 0) {
            rows << y;
        }
    }
    return rows;
}

QList<int> Range(int first, int last)
{
    QList<int> values;
    for (int v = first; v <= last; ++v) {
        values << v;
    }
    return values;
}

} // namespace

class TestWaveScreen : public QObject {
    Q_OBJECT
private slots:
    void newScreenDefaults();
    void valuesSitOnTheFrameLines_data();
    void valuesSitOnTheFrameLines();
    void overlappingXorTracesMixTheirColours();
    void pixelCoveredTwiceByOneTraceReturnsToBackground();
    void manySamplesInAColumnAreOneStroke();
    void fewerSamplesThanPixelsAreJoinedByLines();
    void markersOnEveryPoint();
    void backgroundHoldsFrameAndGrid();
    void verticalGridFixedAndValueTied();
    void setterRedrawRules();
    void suspendedRedrawsRunOnceOnResuming();
    void colourChangeKeepsTheCachedBackground();
    void setterClamps();
    void zeroCountsAndEmptyPlotDrawNoSuchLines();
    void neverSmallerThanOnePixel();
    void demoContent();
};

void TestWaveScreen::newScreenDefaults()
{
    TWaveScreen screen;
    QCOMPARE(screen.size(), QSize(100, 100));
    QCOMPARE(screen.cursor().shape(), Qt::CrossCursor);
    QCOMPARE(&screen.ScreenCursor().WaveBuffer(), &screen.WaveBufferA());
    QCOMPARE(screen.ScreenGrid().VerticalAuxLineCount(), 5);
    QCOMPARE(screen.WaveBufferA().SamplePerDiv(), 100);
    QCOMPARE(screen.WaveBufferA().ZeroLinePos(), TScreenPos::zlpMiddle);
    QCOMPARE(screen.ScreenCursor().PenMode(), TPenMode::NotXor);
    QCOMPARE(screen.ScreenCursor().Color(), QColor(0, 0, 255));
    QVERIFY(screen.frame().isNull()); // bitmaps are built by the first paint
}

void TestWaveScreen::valuesSitOnTheFrameLines_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("row");
    QTest::newRow("0 on the bottom frame line") << 0.0 << kBottomRow;
    QTest::newRow("255 on the top frame line") << 255.0 << kTopRow;
    QTest::newRow("25.5 on the first grid line") << 25.5 << 331;
    QTest::newRow("300 two above the top line") << 300.0 << kTopRow - 2;
    QTest::newRow("1e300 two above the top line") << 1e300 << kTopRow - 2;
    QTest::newRow("-100 two below the bottom line") << -100.0 << kBottomRow + 2;
    QTest::newRow("NaN two below the bottom line") << std::nan("") << kBottomRow + 2;
}

void TestWaveScreen::valuesSitOnTheFrameLines()
{
    QFETCH(double, value);
    QFETCH(int, row);
    QWidget panel;
    MakeBlack(panel);
    TWaveScreen screen(&panel);
    ConfigureLikeProgram(screen);
    screen.WaveBufferB().SetEnabled(false);
    screen.WaveBufferC().SetEnabled(false);
    Fill(screen.WaveBufferA(), value);
    screen.Repaint();
    QCOMPARE(screen.ScreenCoordinates().LineTop() - screen.ScreenCoordinates().LineBottom(), 362);
    const QImage& frame = screen.frame();
    const QImage& background = screen.background();
    QList<int> changed;
    for (int y = 0; y < frame.height(); ++y) {
        if (frame.pixel(100, y) != background.pixel(100, y)) {
            changed << y;
        }
    }
    QCOMPARE(changed, QList<int>{row});
    QCOMPARE(Hex(frame.pixel(100, row)), Hex(background.pixel(100, row) ^ 0xFF0000u)); // XOR red
}

void TestWaveScreen::overlappingXorTracesMixTheirColours()
{
    QWidget panel;
    MakeBlack(panel);
    TWaveScreen screen(&panel);
    ConfigureLikeProgram(screen);
    Fill(screen.WaveBufferA(), 100); // row 226, on black
    Fill(screen.WaveBufferB(), 100);
    Fill(screen.WaveBufferC(), 200);
    screen.Repaint();
    QCOMPARE(Hex(screen.frame().pixel(100, 226)), Hex(Rgb(255, 128, 0)));
    QCOMPARE(Hex(screen.frame().pixel(100, 84)), Hex(Rgb(0, 0, 255))); // trace C alone at 200
    Fill(screen.WaveBufferC(), 100);
    screen.Repaint();
    QCOMPARE(Hex(screen.frame().pixel(100, 226)), Hex(Rgb(255, 128, 255)));
}

void TestWaveScreen::pixelCoveredTwiceByOneTraceReturnsToBackground()
{
    // One sample per column; the spike at sample 3 goes up (2,20)->(3,10) and down
    // (3,10)->(4,20): the two lines share column 3 rows 11..14.
    auto screen = SmallScreen(11, 21, 1, 11, TPenMode::Xor);
    screen->WaveBufferA().SetBuffer(3, 5);
    screen->Repaint();
    const QImage& frame = screen->frame();
    QCOMPARE(RowsDrawn(frame, 3), (QList<int>{10, 15}));
    QCOMPARE(RowsDrawn(frame, 2), (QList<int>{16, 17, 18, 19, 20}));
    QCOMPARE(RowsDrawn(frame, 4), (QList<int>{15, 16, 17, 18, 19, 20}));
    QCOMPARE(Px(frame, 3, 10), Rgb(255, 0, 0));
}

void TestWaveScreen::manySamplesInAColumnAreOneStroke()
{
    // 100 samples over 10 columns; column 5 gathers samples 41..50: 2, 9, 1, then 5s.
    auto screen = SmallScreen(11, 21, 10, 101, TPenMode::Copy);
    Fill(screen->WaveBufferA(), 2);
    const double column5[] = {2, 9, 1, 5, 5, 5, 5, 5, 5, 5};
    for (int i = 0; i < 10; ++i) {
        screen->WaveBufferA().SetBuffer(41 + i, column5[i]);
    }
    screen->Repaint();
    // One stroke from the largest value (row 2) to the smallest (row 18), nothing beyond.
    QCOMPARE(RowsDrawn(screen->frame(), 5), Range(2, 18));
    QCOMPARE(RowsDrawn(screen->frame(), 7), QList<int>{16});
}

void TestWaveScreen::fewerSamplesThanPixelsAreJoinedByLines()
{
    // 10 samples over 20 columns: sample i at column 2i.
    auto screen = SmallScreen(21, 21, 1, 11, TPenMode::Copy);
    Fill(screen->WaveBufferA(), 5);
    screen->WaveBufferA().SetBuffer(0, 0);
    screen->Repaint();
    const QImage& frame = screen->frame();
    QCOMPARE(RowsDrawn(frame, 0), (QList<int>{18, 19, 20}));
    QCOMPARE(RowsDrawn(frame, 1), Range(13, 17));
    QCOMPARE(RowsDrawn(frame, 2), (QList<int>{10, 11, 12}));
    for (int x = 3; x < 20; ++x) {
        QCOMPARE(RowsDrawn(frame, x), QList<int>{10});
    }
    QCOMPARE(RowsDrawn(frame, 20), QList<int>{}); // the last point itself is left out
}

void TestWaveScreen::markersOnEveryPoint()
{
    auto screen = SmallScreen(41, 21, 1, 11, TPenMode::Copy); // a point every 4 columns
    Fill(screen->WaveBufferA(), 5);                         // row 10
    screen->WaveBufferA().SetMarkerOn(true);
    const QImage& frame = screen->frame();
    for (int x : {0, 4, 8, 36, 40}) {
        QCOMPARE(Px(frame, x, 7), Rgb(255, 0, 0)); // circle top, 3 rows above the point
        QCOMPARE(Px(frame, x, 13), Rgb(255, 0, 0));
    }
    QCOMPARE(Px(frame, 2, 7), 0u);
}

void TestWaveScreen::backgroundHoldsFrameAndGrid()
{
    QWidget panel;
    MakeBlack(panel);
    TWaveScreen screen(&panel);
    ConfigureLikeProgram(screen);
    screen.Repaint();
    const QImage& bg = screen.background();
    const QRgb grid = Rgb(48, 48, 48);
    QCOMPARE(Px(bg, 2, 2), 0u);                 // the panel's black outside the plot
    QCOMPARE(Px(bg, kLeft, kTopRow), grid);     // top left corner
    QCOMPARE(Px(bg, 727, kBottomRow), grid);    // bottom right corner
    QCOMPARE(Px(bg, 728, kBottomRow), 0u);
    QCOMPARE(Px(bg, 400, kTopRow - 1), 0u);
    QCOMPARE(Px(bg, 400, 331), grid);           // horizontal lines every 36 or 37 rows
    QCOMPARE(Px(bg, 400, 186), grid);
    QCOMPARE(Px(bg, 400, 332), 0u);
    QCOMPARE(Px(bg, 77, 200), 0u);              // no vertical grid
    QCOMPARE(Px(bg, kLeft, 200), grid);

    QWidget grey;
    TWaveScreen plain(&grey);
    plain.ScreenBorder().SetLeft(10);
    QCOMPARE(plain.background().pixel(3, 50), grey.palette().color(QPalette::Window).rgb());
}

void TestWaveScreen::verticalGridFixedAndValueTied()
{
    QWidget panel;
    MakeBlack(panel);
    TWaveScreen screen(&panel);
    ConfigureLikeProgram(screen);
    TScreenGrid& grid = screen.ScreenGrid();
    grid.SetVerticalGridEnabled(true);
    grid.SetVerticalGridFix(true);
    grid.SetVerticalAuxLineCount(5);
    QCOMPARE(Px(screen.background(), 77, 200), Rgb(48, 48, 48)); // 722 * 1 / 10 + 5
    QCOMPARE(Px(screen.background(), 19, 200), Rgb(32, 32, 32)); // 722 * 1 / 50 + 5
    QCOMPARE(Px(screen.background(), 77, kTopRow), Rgb(48, 48, 48));

    // Lines every 300 samples (one division), auxiliary every 30, moving with SampleOffset.
    grid.SetVerticalGridFix(false);
    grid.SetVerticalAuxLineCount(10);
    grid.SetVerticalGridFrequenz(300);
    QCOMPARE(Px(screen.background(), 77, 200), Rgb(48, 48, 48));  // round(72.2) + 5
    QCOMPARE(Px(screen.background(), 149, 200), Rgb(48, 48, 48)); // round(144.4) + 5
    QCOMPARE(Px(screen.background(), 12, 200), Rgb(32, 32, 32));  // round(7.22) + 5
    screen.WaveBufferA().SetSampleOffset(150);
    QCOMPARE(Px(screen.background(), 41, 200), Rgb(48, 48, 48)); // round(36.1) + 5
    QCOMPARE(Px(screen.background(), 77, 200), Rgb(32, 32, 32));
    QCOMPARE(Px(screen.background(), 2, 200), 0u); // lines left of the plot are not drawn
}

void TestWaveScreen::setterRedrawRules()
{
    struct Case {
        const char* name;
        std::function<void(TWaveScreen&)> change;
        bool redraws;
        bool rebuildsBackground;
    };
    const Case cases[] = {
        {"border equal", [](TWaveScreen& s) { s.ScreenBorder().SetTop(5); }, false, false},
        {"border", [](TWaveScreen& s) { s.ScreenBorder().SetBottom(6); }, true, true},
        {"grid equal", [](TWaveScreen& s) { s.ScreenGrid().SetVerticalLineCount(10); }, false, false},
        {"grid negative as 10", [](TWaveScreen& s) { s.ScreenGrid().SetHorizontalLineCount(-4); }, false, false},
        {"grid aux", [](TWaveScreen& s) { s.ScreenGrid().SetHorizontalAuxLineCount(2); }, true, true},
        {"grid switch", [](TWaveScreen& s) { s.ScreenGrid().SetHorizontalGridEnabled(false); }, true, true},
        {"colour equal", [](TWaveScreen& s) { s.ScreenColors().SetGrid(QColor(48, 48, 48)); }, false, false},
        {"colour", [](TWaveScreen& s) { s.ScreenColors().SetAuxGrid(QColor(1, 2, 3)); }, true, false},
        {"samples per div equal", [](TWaveScreen& s) { s.WaveBufferA().SetSamplePerDiv(300); }, false, false},
        {"samples per div", [](TWaveScreen& s) { s.WaveBufferC().SetSamplePerDiv(400); }, true, true},
        {"sample offset", [](TWaveScreen& s) { s.WaveBufferB().SetSampleOffset(10); }, true, true},
        {"amplitude equal", [](TWaveScreen& s) { s.WaveBufferA().SetAmplitudePerDiv(25.5); }, false, false},
        {"amplitude", [](TWaveScreen& s) { s.WaveBufferA().SetAmplitudePerDiv(0); }, true, false},
        {"wave colour equal", [](TWaveScreen& s) { s.WaveBufferB().SetWaveColor(QColor(0, 128, 0)); }, false, false},
        {"wave colour", [](TWaveScreen& s) { s.WaveBufferB().SetWaveColor(Qt::white); }, true, false},
        {"wave mode", [](TWaveScreen& s) { s.WaveBufferA().SetWaveMode(TPenMode::Copy); }, true, false},
        {"zero line", [](TWaveScreen& s) { s.WaveBufferA().SetZeroLinePos(TScreenPos::zlpTop); }, true, false},
        {"trace enabled equal", [](TWaveScreen& s) { s.WaveBufferA().SetEnabled(true); }, false, false},
        {"markers on", [](TWaveScreen& s) { s.WaveBufferA().SetMarkerOn(true); }, true, false},
        {"size equal", [](TWaveScreen& s) { s.WaveBufferA().SetSize(65536); }, false, false},
        {"size", [](TWaveScreen& s) { s.WaveBufferA().SetSize(100); }, true, false},
        {"demo off again", [](TWaveScreen& s) { s.WaveBufferA().SetDemo(false); }, true, false},
        {"sample write", [](TWaveScreen& s) { s.WaveBufferA().SetBuffer(3, 77); }, false, false},
        {"cursor style equal", [](TWaveScreen& s) { s.ScreenCursor().SetCursorStyle(TCursorStyle::csVertLine); }, false, false},
        {"cursor style", [](TWaveScreen& s) { s.ScreenCursor().SetCursorStyle(TCursorStyle::csCross); }, true, false},
        {"cursor enabled", [](TWaveScreen& s) { s.ScreenCursor().SetEnabled(false); }, true, false},
        {"marker enabled", [](TWaveScreen& s) { s.ScreenCursor().SetMarkerEnabled(true); }, true, false},
        {"marker style", [](TWaveScreen& s) { s.ScreenCursor().SetMarkerStyle(TMarkerStyle::msCross); }, true, false},
        {"cursor colour", [](TWaveScreen& s) { s.ScreenCursor().SetColor(Qt::white); }, false, false},
        {"marker tick", [](TWaveScreen& s) { s.ScreenCursor().SetPosX(40); }, false, false},
        {"trace selection", [](TWaveScreen& s) { s.ScreenCursor().SetWaveBufferNumber(2); }, false, false},
        {"cursor tick", [](TWaveScreen& s) { s.ScreenCursor().SetPosMX(40); }, true, false},
        {"cursor tick equal", [](TWaveScreen& s) { s.ScreenCursor().SetPosMX(0); }, false, false},
    };
    for (const Case& c : cases) {
        // Redraw: a pending size change shows in the frame only after a Repaint.
        QWidget panel;
        MakeBlack(panel);
        TWaveScreen screen(&panel);
        ConfigureLikeProgram(screen);
        screen.resize(700, 300);
        c.change(screen);
        QVERIFY2((screen.frame().size() == QSize(700, 300)) == c.redraws, c.name);

        // Background rebuild: a colour change reaches the cached background only then.
        TWaveScreen other(&panel);
        ConfigureLikeProgram(other);
        other.ScreenColors().SetBackground(QColor(0, 0, 64));
        QCOMPARE(Px(other.background(), 300, 100), 0u);
        c.change(other);
        QVERIFY2((Px(other.background(), 300, 100) == Rgb(0, 0, 64)) == c.rebuildsBackground, c.name);
    }
}

// Settings changed while suspended draw nothing; resuming draws what they would have drawn.
void TestWaveScreen::suspendedRedrawsRunOnceOnResuming()
{
    QWidget panel;
    MakeBlack(panel);
    const auto change = [](TWaveScreen& s) {
        s.ScreenColors().SetBackground(QColor(0, 0, 64));
        s.ScreenBorder().SetBottom(9);
        s.WaveBufferA().SetSamplePerDiv(50);
        for (int i = 0; i < 500; ++i)
            s.WaveBufferA().SetBuffer(i, i % 256);
        s.ScreenCursor().SetPosMX(120);
    };
    TWaveScreen direct(&panel);
    ConfigureLikeProgram(direct);
    direct.resize(700, 300);
    direct.Repaint();
    change(direct);

    TWaveScreen deferred(&panel);
    ConfigureLikeProgram(deferred);
    deferred.resize(700, 300);
    deferred.Repaint();
    const QImage frameBefore = deferred.frame();
    const QImage backgroundBefore = deferred.background();
    deferred.SetUpdatesSuspended(true);
    change(deferred);
    QCOMPARE(deferred.frame(), frameBefore);
    QCOMPARE(deferred.background(), backgroundBefore);
    deferred.SetUpdatesSuspended(false);
    QCOMPARE(deferred.background(), direct.background());
    QCOMPARE(deferred.frame(), direct.frame());
    QCOMPARE(deferred.ScreenCursor().BufferA_X(), direct.ScreenCursor().BufferA_X());

    // Nothing due: resuming draws nothing.
    const QImage settled = deferred.frame();
    deferred.SetUpdatesSuspended(true);
    deferred.SetUpdatesSuspended(false);
    QCOMPARE(deferred.frame(), settled);
}

void TestWaveScreen::colourChangeKeepsTheCachedBackground()
{
    QWidget panel;
    MakeBlack(panel);
    TWaveScreen screen(&panel);
    ConfigureLikeProgram(screen);
    screen.ScreenCursor().SetEnabled(false);
    screen.ScreenColors().SetBackground(QColor(0, 0, 64));
    QCOMPARE(Px(screen.frame(), 300, 100), 0u);
    screen.resize(734, 373); // a size change rebuilds at the next refresh
    screen.Repaint();
    QCOMPARE(Px(screen.frame(), 300, 100), Rgb(0, 0, 64));
}

void TestWaveScreen::setterClamps()
{
    TWaveScreen screen;
    TScreenWaveBuffer& a = screen.WaveBufferA();
    a.SetAmplitudePerDiv(0);
    QCOMPARE(a.AmplitudePerDiv(), 1.0);
    a.SetAmplitudePerDiv(-3);
    QCOMPARE(a.AmplitudePerDiv(), 1.0);
    a.SetSamplePerDiv(0);
    QCOMPARE(a.SamplePerDiv(), 1);
    a.SetSamplePerDiv(-7);
    QCOMPARE(a.SamplePerDiv(), 1);
    a.SetSize(65536);
    a.SetSampleOffset(70000);
    QCOMPARE(a.SampleOffset(), 65535);
    a.SetSampleOffset(-1);
    QCOMPARE(a.SampleOffset(), 0);
    a.SetSampleOffset(500);
    a.SetSize(-2); // ignored
    QCOMPARE(a.Size(), 65536);
    a.SetSize(100); // the offset stays inside the samples
    QCOMPARE(a.SampleOffset(), 99);
    QCOMPARE(a.GetBuffer(99), 0.0);
    QCOMPARE(a.GetBuffer(100), 0.0);
    QCOMPARE(a.GetBuffer(-1), 0.0);
    a.SetBuffer(100, 5); // outside: ignored
    a.SetBuffer(-1, 5);
    a.SetBuffer(7, 5);
    QCOMPARE(a.GetBuffer(7), 5.0);

    TScreenGrid& grid = screen.ScreenGrid();
    grid.SetVerticalLineCount(-1);
    QCOMPARE(grid.VerticalLineCount(), 10);
    grid.SetHorizontalLineCount(0);
    QCOMPARE(grid.HorizontalLineCount(), 0);
    grid.SetHorizontalLineCount(-5);
    QCOMPARE(grid.HorizontalLineCount(), 10);
    grid.SetVerticalAuxLineCount(-3);
    QCOMPARE(grid.VerticalAuxLineCount(), 0);
    grid.SetHorizontalAuxLineCount(-3);
    QCOMPARE(grid.HorizontalAuxLineCount(), 0);

    TScreenCursor& cursor = screen.ScreenCursor();
    for (int number : {0, 4, -1}) {
        cursor.SetWaveBufferNumber(3);
        QCOMPARE(&cursor.WaveBuffer(), &screen.WaveBufferC());
        cursor.SetPosX(17);
        cursor.SetPosY(9);
        cursor.SetWaveBufferNumber(number); // taken as 1: a different trace resets the marker
        QCOMPARE(cursor.WaveBufferNumber(), 1);
        QCOMPARE(&cursor.WaveBuffer(), &screen.WaveBufferA());
        QCOMPARE(cursor.PosX(), -1);
        QCOMPARE(cursor.PosY(), 0);
        QCOMPARE(cursor.ValueX(), 0.0);
        QCOMPARE(cursor.ValueY(), 0);
    }
    cursor.SetPosX(17);
    cursor.SetWaveBufferNumber(7); // still trace A: the marker stays
    QCOMPARE(cursor.PosX(), 17);
}

void TestWaveScreen::zeroCountsAndEmptyPlotDrawNoSuchLines()
{
    QWidget panel;
    MakeBlack(panel);
    TWaveScreen screen(&panel);
    ConfigureLikeProgram(screen);
    Fill(screen.WaveBufferA(), 100);
    screen.ScreenCursor().SetEnabled(false);
    TScreenGrid& grid = screen.ScreenGrid();

    grid.SetHorizontalAuxLineCount(2);
    QCOMPARE(Px(screen.background(), 400, 349), Rgb(32, 32, 32)); // 362 * 1 / 20 + 5 from below
    grid.SetHorizontalAuxLineCount(0);                               // main lines only
    QCOMPARE(Px(screen.background(), 400, 349), 0u);
    QCOMPARE(Px(screen.background(), 400, 331), Rgb(48, 48, 48));

    grid.SetHorizontalLineCount(0); // no divisions up: no lines, no trace
    QCOMPARE(Px(screen.background(), 400, 331), 0u);
    QCOMPARE(screen.frame(), screen.background());
    grid.SetHorizontalLineCount(10);

    grid.SetVerticalGridEnabled(true);
    grid.SetVerticalAuxLineCount(0);
    grid.SetVerticalGridFix(true);
    QCOMPARE(Px(screen.background(), 77, 200), Rgb(48, 48, 48));
    QCOMPARE(Px(screen.background(), 19, 200), 0u);
    grid.SetVerticalGridFix(false);
    grid.SetVerticalValuePerSample(0);
    grid.SetVerticalGridFrequenz(0);
    grid.SetVerticalLineCount(0); // no divisions across: no trace, no cursor column
    QCOMPARE(screen.frame(), screen.background());
    QCOMPARE(screen.GetBufferPos(400), 0);
    QCOMPARE(Px(screen.background(), 77, 200), 0u);

    grid.SetVerticalLineCount(10);
    grid.SetVerticalGridFrequenz(1e-9); // lines closer than a pixel fill the plot
    grid.SetVerticalValuePerSample(1);
    QCOMPARE(Px(screen.background(), 300, 200), Rgb(48, 48, 48));

    // Borders wider and taller than the control: nothing to plot, nothing to divide by.
    screen.ScreenCursor().SetEnabled(true);
    screen.ScreenCursor().SetMarkerEnabled(true);
    screen.WaveBufferA().SetMarkerOn(true);
    screen.ScreenBorder().SetLeft(400);
    screen.ScreenBorder().SetRight(400);
    screen.ScreenBorder().SetTop(300);
    screen.ScreenBorder().SetBottom(300);
    screen.MouseMove(Qt::LeftButton, Qt::NoModifier, 300, 100);
    QCOMPARE(screen.GetBufferPos(300), 0);
    screen.ScreenCursor().SetPosMX(20);
    QCOMPARE(screen.ScreenCursor().BufferA_Y(), 20);
    QCOMPARE(screen.frame().size(), screen.size());
    screen.ScreenBorder().SetLeft(366); // a plot of no width
    screen.ScreenBorder().SetRight(366);
    QCOMPARE(screen.GetBufferPos(366), 0);
}

void TestWaveScreen::neverSmallerThanOnePixel()
{
    TWaveScreen screen;
    screen.resize(0, 0);
    QCOMPARE(screen.size(), QSize(1, 1));
    screen.WaveBufferA().SetSize(10);
    screen.WaveBufferA().SetEnabled(true);
    screen.ScreenBorder().SetLeft(3);
    QCOMPARE(screen.frame().size(), QSize(1, 1));
}

void TestWaveScreen::demoContent()
{
    TWaveScreen screen;
    TScreenWaveBuffer& a = screen.WaveBufferA();
    a.SetSize(1000);
    a.SetDemo(true);
    QVERIFY(a.DemoOn());
    int periods = 0;
    for (int k = 5; k <= 24 && periods == 0; ++k) {
        if (std::abs(a.GetBuffer(1) - std::sin(2 * std::numbers::pi * k / 1000.0)) < 1e-12) {
            periods = k;
        }
    }
    QVERIFY(periods != 0);
    for (int i = 0; i < 1000; ++i) {
        QCOMPARE(a.GetBuffer(i), std::sin(2 * std::numbers::pi * periods * i / 1000.0));
    }
    a.SetSize(500); // a new size refills the demo content
    QVERIFY(a.GetBuffer(1) > 0.0);
    a.SetDemo(false);
    for (int i = 0; i < 500; ++i) {
        QCOMPARE(a.GetBuffer(i), 0.0);
    }
}

TINTARO_REGISTER_TEST(TestWaveScreen);

#include "test_WaveScreen.moc"
