#include "PixelHelpers.h"
#include "WaveScreenSetup.h"

#include "tests/support/TestRegistry.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

// The program's screen on its black panel, trace A holding index mod 256, B 50, C 200.
struct ProgramScreen {
    QWidget panel;
    TWaveScreen* screen;
    ProgramScreen()
    {
        MakeBlack(panel);
        screen = new TWaveScreen(&panel);
        ConfigureLikeProgram(*screen);
        for (int i = 0; i < 65536; ++i) {
            screen->WaveBufferA().SetBuffer(i, i % 256);
        }
        Fill(screen->WaveBufferB(), 50);
        Fill(screen->WaveBufferC(), 200);
        screen->Repaint();
    }
};

const QRgb kCursorOnBlack = Rgb(127, 127, 127); // NOT (black XOR grey)

} // namespace

class TestWaveScreenMouse : public QObject {
    Q_OBJECT
private slots:
    void getBufferPos_data();
    void getBufferPos();
    void cursorColumnAndMarkerForATick();
    void markerMovesToSampleZeroOfANewTrace();
    void crossMarker();
    void mouseMoveMovesTheCursorAndReadsAllTraces();
    void altCtrlAndBothButtonsFreezeTheCursor();
    void doubleClickSetsTheMarker();
    void qtMouseEventsReachTheHandlers();
    void setPosMXFromOutside();
    void emptySelectedTraceDrawsNoCursor();
    void repaintRefreshesTheCursorValues();
};

void TestWaveScreenMouse::getBufferPos_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("samplePerDiv");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("expected");
    QTest::newRow("plot left edge") << 65536 << 10 << 300 << 5 << 0;
    QTest::newRow("left of the plot") << 65536 << 10 << 300 << 0 << 0;
    QTest::newRow("negative x") << 65536 << 10 << 300 << -50 << 0;
    QTest::newRow("one column in") << 65536 << 10 << 300 << 6 << 4; // 4.155
    QTest::newRow("middle") << 65536 << 10 << 300 << 366 << 1500;
    QTest::newRow("plot right edge") << 65536 << 10 << 300 << 727 << 3000;
    QTest::newRow("right of the plot") << 65536 << 10 << 300 << 900 << 3000;
    QTest::newRow("short trace") << 100 << 10 << 300 << 727 << 99;
    QTest::newRow("whole trace") << 65536 << 10 << 6554 << 727 << 65535;
    QTest::newRow("half to even 0.5") << 65536 << 1 << 361 << 6 << 0;
    QTest::newRow("half to even 1.5") << 65536 << 1 << 361 << 8 << 2;
    QTest::newRow("half to even 2.5") << 65536 << 1 << 361 << 10 << 2;
    QTest::newRow("no samples") << 0 << 10 << 300 << 400 << 0;
}

void TestWaveScreenMouse::getBufferPos()
{
    QFETCH(int, size);
    QFETCH(int, lines);
    QFETCH(int, samplePerDiv);
    QFETCH(int, x);
    QFETCH(int, expected);
    ProgramScreen p;
    p.screen->WaveBufferA().SetSize(size);
    p.screen->WaveBufferA().SetSamplePerDiv(samplePerDiv);
    p.screen->ScreenGrid().SetVerticalLineCount(lines);
    p.screen->WaveBufferA().SetSampleOffset(7); // not added by GetBufferPos
    QCOMPARE(p.screen->GetBufferPos(x), expected);
}

void TestWaveScreenMouse::cursorColumnAndMarkerForATick()
{
    ProgramScreen p;
    TWaveScreen& s = *p.screen;
    s.WaveBufferA().SetSamplePerDiv(10); // 100 ticks across 722 columns
    s.ScreenCursor().SetPosMX(50);
    const QImage& frame = s.frame();
    // Tick 50 is column 361 of the plot: x 366, from the bottom line up to below the top line.
    QCOMPARE(Hex(frame.pixel(366, 100)), Hex(kCursorOnBlack));
    QCOMPARE(Hex(frame.pixel(366, 6)), Hex(kCursorOnBlack));
    QCOMPARE(Hex(frame.pixel(366, 5)), Hex(Rgb(48, 48, 48)));
    QCOMPARE(Hex(frame.pixel(365, 100)), Hex(Rgb(0, 0, 0)));
    QCOMPARE(Hex(frame.pixel(367, 100)), Hex(Rgb(0, 0, 0)));

    // Marker at tick 20 on trace A (value 20): column 144, row of 20 = 372 - 5 - (28 + 5).
    s.ScreenCursor().SetPosX(20);
    s.ScreenCursor().SetMarkerEnabled(true);
    const int x = 5 + 144;
    const int y = 5 + 334;
    QCOMPARE(Hex(frame.pixel(x, y)), Hex(Rgb(128, 128, 128)));       // filled with the cursor colour
    QCOMPARE(Hex(frame.pixel(x, y - 2)), Hex(Rgb(128, 128, 128)));
    QCOMPARE(Hex(frame.pixel(x - 3, y)), Hex(Rgb(255, 0, 0)));       // outlined in trace A's colour
    QCOMPARE(Hex(frame.pixel(x, y - 3)), Hex(Rgb(255, 0, 0)));
    QCOMPARE(Hex(frame.pixel(x + 3, y - 3)), Hex(Rgb(0, 0, 0)));     // corner left alone
    QCOMPARE(s.ScreenCursor().ValueX(), 20.0);
    QCOMPARE(s.ScreenCursor().ValueY(), 20);

    s.ScreenCursor().SetMarkerEnabled(false);
    QCOMPARE(Hex(frame.pixel(x, y - 2)), Hex(Rgb(0, 0, 0)));
}

void TestWaveScreenMouse::markerMovesToSampleZeroOfANewTrace()
{
    ProgramScreen p;
    TScreenCursor& cursor = p.screen->ScreenCursor();
    cursor.SetPosX(40);
    cursor.SetWaveBufferNumber(3);
    cursor.SetMarkerEnabled(true);
    // Sample 0 of trace C (200): column 0, row 372 - 5 - (283 + 5) = 79 of the plot.
    QCOMPARE(Hex(p.screen->frame().pixel(5, 84)), Hex(Rgb(128, 128, 128)));
    QCOMPARE(Hex(p.screen->frame().pixel(8, 84)), Hex(Rgb(0, 0, 255)));
    QCOMPARE(cursor.ValueX(), 200.0);
    QCOMPARE(cursor.ValueY(), 0);
    QCOMPARE(cursor.PosX(), -1);
}

void TestWaveScreenMouse::crossMarker()
{
    ProgramScreen p;
    TScreenCursor& cursor = p.screen->ScreenCursor();
    cursor.SetWaveBufferNumber(3);
    cursor.SetMarkerStyle(TMarkerStyle::msCross);
    cursor.SetPosX(0);
    cursor.SetMarkerEnabled(true);
    const QImage& frame = p.screen->frame();
    for (int d = -3; d <= 3; ++d) {
        QCOMPARE(Hex(frame.pixel(5 + d, 84)), Hex(Rgb(0, 0, 255)));
        QCOMPARE(Hex(frame.pixel(5, 84 + d)), Hex(Rgb(0, 0, 255)));
    }
    QCOMPARE(Hex(frame.pixel(9, 84)), Hex(p.screen->background().pixel(9, 84) ^ 0x0000FFu)); // trace C itself
    QCOMPARE(Hex(frame.pixel(6, 85)), Hex(Rgb(0, 0, 0)));
}

void TestWaveScreenMouse::mouseMoveMovesTheCursorAndReadsAllTraces()
{
    ProgramScreen p;
    TWaveScreen& s = *p.screen;
    s.WaveBufferA().SetSampleOffset(100);
    s.WaveBufferC().SetSize(0);
    QSignalSpy moved(&s, &TWaveScreen::OnMouseMove);
    QSignalSpy values(&s, &TWaveScreen::OnChangeCursorValue);
    s.MouseMove(Qt::LeftButton, Qt::ShiftModifier, 366, 40);
    const TScreenCursor& cursor = s.ScreenCursor();
    QCOMPARE(cursor.PosMX(), 1600); // 1500 under the mouse + the selected trace's offset
    QCOMPARE(cursor.PosMY(), 40);
    QCOMPARE(cursor.BufferA_X(), double(1600 % 256));
    QCOMPARE(cursor.BufferA_Y(), 1600);
    QCOMPARE(cursor.BufferB_X(), 50.0);
    QCOMPARE(cursor.BufferB_Y(), 1500);
    QCOMPARE(cursor.BufferC_X(), 200.0); // no samples now: left as last read
    QCOMPARE(cursor.BufferC_Y(), 0);
    QCOMPARE(&cursor.WaveBuffer(), &s.WaveBufferA());
    QCOMPARE(Hex(s.frame().pixel(366, 100)), Hex(kCursorOnBlack));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.at(0).at(0).value<Qt::MouseButtons>(), Qt::MouseButtons(Qt::LeftButton));
    QCOMPARE(moved.at(0).at(1).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
    QCOMPARE(moved.at(0).at(2).toInt(), 366);
    QCOMPARE(moved.at(0).at(3).toInt(), 40);
    QVERIFY(values.count() >= 1);
    for (const auto& args : values) {
        QCOMPARE(args.at(0).value<QObject*>(), static_cast<QObject*>(&s));
    }

    // Without a button the cursor follows the mouse as well.
    s.MouseMove(Qt::NoButton, Qt::NoModifier, 6, 0);
    QCOMPARE(cursor.PosMX(), 104);
    QCOMPARE(moved.count(), 2);
}

void TestWaveScreenMouse::altCtrlAndBothButtonsFreezeTheCursor()
{
    ProgramScreen p;
    TWaveScreen& s = *p.screen;
    const Qt::KeyboardModifiers altCtrl = Qt::AltModifier | Qt::ControlModifier;
    s.MouseMove(Qt::LeftButton, Qt::NoModifier, 100, 40); // tick round(95 * 3000 / 722) = 395
    QCOMPARE(s.ScreenCursor().PosMX(), 395);
    s.MouseMove(Qt::LeftButton | Qt::RightButton, altCtrl, 366, 90);
    QCOMPARE(s.ScreenCursor().PosMX(), 395);
    QCOMPARE(s.ScreenCursor().PosMY(), 40);
    QCOMPARE(s.ScreenCursor().BufferA_X(), double(1500 % 256)); // read under the mouse
    QCOMPARE(Hex(s.frame().pixel(100, 100)), Hex(kCursorOnBlack));
    s.MouseMove(Qt::LeftButton, altCtrl, 366, 90); // one button only: moves
    QCOMPARE(s.ScreenCursor().PosMX(), 1500);
}

void TestWaveScreenMouse::doubleClickSetsTheMarker()
{
    ProgramScreen p;
    TWaveScreen& s = *p.screen;
    QSignalSpy downs(&s, &TWaveScreen::OnMouseDown);
    s.MouseDown(Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, false, 366, 40);
    QCOMPARE(s.ScreenCursor().PosX(), -1);
    s.MouseDown(Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, true, 366, 40);
    QCOMPARE(s.ScreenCursor().PosX(), 1500);
    QCOMPARE(s.ScreenCursor().PosY(), 40);
    QCOMPARE(s.ScreenCursor().ValueX(), double(1500 % 256));
    QCOMPARE(downs.count(), 2);
    QCOMPARE(downs.at(1).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
    QCOMPARE(downs.at(1).at(3).toBool(), true);
    QCOMPARE(downs.at(1).at(4).toInt(), 366);
    QCOMPARE(downs.at(1).at(5).toInt(), 40);
}

void TestWaveScreenMouse::qtMouseEventsReachTheHandlers()
{
    ProgramScreen p;
    TWaveScreen& s = *p.screen;
    QSignalSpy moved(&s, &TWaveScreen::OnMouseMove);
    const QPointF at(186, 10); // tick round(181 * 3000 / 722) = 752
    QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&s, &move);
    QCOMPARE(s.ScreenCursor().PosMX(), 752);
    QCOMPARE(moved.count(), 1);
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&s, &twice);
    QCOMPARE(s.ScreenCursor().PosX(), 752);
}

void TestWaveScreenMouse::setPosMXFromOutside()
{
    ProgramScreen p;
    TWaveScreen& s = *p.screen;
    s.WaveBufferB().SetSize(1000);
    QSignalSpy values(&s, &TWaveScreen::OnChangeCursorValue);
    s.ScreenCursor().SetPosMX(1234);
    QCOMPARE(s.ScreenCursor().PosMX(), 1234);
    QCOMPARE(s.ScreenCursor().BufferA_X(), double(1234 % 256));
    QCOMPARE(s.ScreenCursor().BufferA_Y(), 1234);
    QCOMPARE(s.ScreenCursor().BufferB_Y(), 999); // limited to that trace
    QCOMPARE(s.ScreenCursor().BufferC_X(), 200.0);
    QVERIFY(!values.isEmpty());
    QCOMPARE(values.last().at(0).value<QObject*>(), static_cast<QObject*>(&s.ScreenCursor()));
    const auto before = values.count();
    s.ScreenCursor().SetPosMX(1234); // already there: nothing
    QCOMPARE(values.count(), before);
}

void TestWaveScreenMouse::emptySelectedTraceDrawsNoCursor()
{
    ProgramScreen p;
    TWaveScreen& s = *p.screen;
    s.ScreenCursor().SetPosMX(1500);
    QCOMPARE(Hex(s.frame().pixel(366, 100)), Hex(kCursorOnBlack));
    QSignalSpy values(&s, &TWaveScreen::OnChangeCursorValue);
    s.WaveBufferA().SetSize(0);
    QCOMPARE(Hex(s.frame().pixel(366, 100)), Hex(Rgb(0, 0, 0)));
    QCOMPARE(s.ScreenCursor().BufferA_X(), double(1500 % 256)); // left as they were
    QCOMPARE(values.count(), 0);
}

void TestWaveScreenMouse::repaintRefreshesTheCursorValues()
{
    ProgramScreen p;
    TWaveScreen& s = *p.screen;
    s.ScreenCursor().SetPosMX(10);
    s.WaveBufferA().SetBuffer(10, 99);
    s.WaveBufferC().SetBuffer(10, 7);
    QCOMPARE(s.ScreenCursor().BufferA_X(), 10.0); // sample writes do not redraw
    s.Repaint();
    QCOMPARE(s.ScreenCursor().BufferA_X(), 99.0);
    QCOMPARE(s.ScreenCursor().BufferC_X(), 7.0);
}

TINTARO_REGISTER_TEST(TestWaveScreenMouse);

#include "test_WaveScreenMouse.moc"
