// The waveform preview in the whole main window: what every check puts into the LED bar and
// the traces, the zoom and the track bar range, the cursor road between the wave screen, the
// track bar and the channel scroll bars, and the step marker of the grid cells.
#include "control/NormalPanel.h"
#include "sequence/SequenceChecker.h"
#include "sequence/SequenceEditor.h"
#include "sequence/SequenceGridView.h"
#include "tests/preview/PreviewRig.h"
#include "tests/support/TestRegistry.h"
#include "widgets/RgbLed.h"

#include <cmath>

Q_DECLARE_METATYPE(QList<GridStep>)

namespace {
constexpr int Samples = 65536;

// The levels of the accepted table at a tick, as the bar keeps them (low 8 bits).
QList<int> levelsAt(const PreviewRig& w, int count, int tick)
{
    QList<int> levels;
    for (ColourChannel c : {Red, Green, Blue})
        levels << int(LevelAtTick(w.form->sequenceTable().curve(c), count, std::uint32_t(tick)) & 0xFF);
    return levels;
}

int count(const PreviewRig& w)
{
    return w.form->editor->Count_CSpinEdit->value();
}

// Every entry of the bar and every sample of the traces against LevelAtTick of the table.
void verifyAllSamples(const PreviewRig& w, int stepCount)
{
    const SequenceTable& table = w.form->sequenceTable();
    TWaveScreen& s = w.screen();
    TRGB_LED_Balken& bar = w.bar();
    const TScreenWaveBuffer* traces[3] = {&s.WaveBufferA(), &s.WaveBufferB(), &s.WaveBufferC()};
    for (int c = 0; c < 3; ++c) {
        const ChannelCurve& curve = table.curve(ColourChannel(c));
        for (int i = 0; i < Samples; ++i) {
            const int expected = int(LevelAtTick(curve, stepCount, std::uint32_t(i)) & 0xFF);
            const int stored = c == 0 ? bar.GetBufferR(i) : c == 1 ? bar.GetBufferG(i) : bar.GetBufferB(i);
            if (stored != expected || traces[c]->GetBuffer(i) != double(expected))
                QFAIL(qPrintable(QStringLiteral("channel %1 tick %2: bar %3, trace %4, expected %5")
                                     .arg(c)
                                     .arg(i)
                                     .arg(stored)
                                     .arg(traces[c]->GetBuffer(i))
                                     .arg(expected)));
        }
    }
}

QList<int> traceHead(const TScreenWaveBuffer& t, int n)
{
    QList<int> values;
    for (int i = 0; i < n; ++i)
        values << int(t.GetBuffer(i));
    return values;
}

// The cursor road's fixed point: cursor line, CursorPos_Edit, track bar and scroll bars on one tick.
void verifyOnTick(const PreviewRig& w, int tick)
{
    QCOMPARE(w.screen().ScreenCursor().PosMX(), tick);
    QCOMPARE(w.track().value(), tick);
    QCOMPARE(w.cursorEdit().text(), QString::number(tick));
    QCOMPARE(w.sliderLevels(), levelsAt(w, count(w), tick));
    QCOMPARE(w.playback().PlaybackPosition, std::uint32_t(tick));
}

// Where the marker's centre is drawn for a tick on a trace: column by tick, row by level.
QPoint markerCentre(const PreviewRig& w, const TScreenWaveBuffer& trace, int tick)
{
    const TWaveScreen& s = w.screen();
    const int h1 = s.height() - 1;
    const int plotHeight = h1 - 10;
    const double scale = double(plotHeight) / 10 * (1 / trace.AmplitudePerDiv());
    const int yc = std::clamp(int(trace.GetBuffer(tick) * scale) + 5, 5, h1 - 5);
    return {w.columnOf(tick), h1 - yc};
}

void clickCell(PreviewRig& w, int col, int row)
{
    auto* view = w.form->findChild<SequenceGridView*>(QStringLiteral("Sequenz_StringGrid"));
    QVERIFY(view);
    const QModelIndex index = w.form->gridModel().index(row, col);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}
} // namespace

class TestWaveformPreview : public QObject {
    Q_OBJECT
private slots:
    void startUp();
    void samples_data();
    void samples();
    void levelsKeptAsTheBarKeepsThem();
    void zoom_data();
    void zoom();
    void zoomBelowTenKeepsThePrevious();

    void trackBarMovesCursorAndChannels();
    void dragPastTheEndComesBack();
    void dragInsideFollowsTheMouse();
    void moveWithoutButtonOnlyMovesTheLine();
    void loweringTheEndMovesEverythingToIt();
    void rebuildKeepsCursorMarkerAndTrace();

    void markerSwitch();
    void markerBeforeAnyCell();
    void cellPutsMarkerOnItsTrace_data();
    void cellPutsMarkerOnItsTrace();
    void unreadableTickCellPutsMarkerAtZero();
};
TINTARO_REGISTER_TEST(TestWaveformPreview);

void TestWaveformPreview::startUp()
{
    PreviewRig w;
    QCOMPARE(w.zoom().value(), 153);
    QCOMPARE(w.track().minimum(), 0);
    QCOMPARE(w.track().maximum(), 1530);
    QCOMPARE(w.track().tickInterval(), 153);
    QCOMPARE(w.track().value(), 0);
    QCOMPARE(w.bar().View(), 1530);
    for (TScreenWaveBuffer* t : {&w.screen().WaveBufferA(), &w.screen().WaveBufferB(), &w.screen().WaveBufferC()})
        QCOMPARE(t->SamplePerDiv(), 153);
    QCOMPARE(w.playback().PlaybackEnd, 1530u);
    QCOMPARE(w.playback().PlaybackPosition, 0u);
    QCOMPARE(count(w), 7);
    verifyAllSamples(w, 7);
    // After the last step its levels (yellow) hold to the end of the preview.
    for (int i : {1530, 1531, 40000, 65535})
        QCOMPARE(QList<int>({w.bar().GetBufferR(i), w.bar().GetBufferG(i), w.bar().GetBufferB(i)}),
                 QList<int>({255, 255, 0}));
    // The controls still show the start state: nothing moved the track bar.
    QCOMPARE(w.cursorEdit().text(), QStringLiteral("0"));
    QCOMPARE(w.sliderLevels(), QList<int>({0, 0, 0}));

    // Both widgets were redrawn with the sequence: the bar's first column is yellow, its column
    // over tick 765 blue.
    const QImage& strip = w.bar().image();
    QCOMPARE(strip.size(), w.bar().size());
    QCOMPARE(strip.pixel(0, 5), qRgb(255, 255, 0));
    const int blueColumn = (765 * strip.width() + 1529) / 1530;   // first column showing entry 765
    QCOMPARE(1530 * blueColumn / strip.width(), 765);
    QCOMPARE(strip.pixel(blueColumn, 5), qRgb(0, 0, 255));
    QCOMPARE(w.screen().frame().size(), w.screen().size());
}

void TestWaveformPreview::samples_data()
{
    QTest::addColumn<QList<GridStep>>("steps");
    QTest::addColumn<int>("stepCount");
    QTest::addColumn<QList<int>>("redHead");
    QTest::addColumn<QList<int>>("greenHead");
    QTest::addColumn<QList<int>>("tail");   // levels at tick 65535
    // Both ramps lean towards the earlier step.
    QTest::newRow("ramps over 3 ticks") << QList<GridStep>{{0, 0, 10, 5}, {3, 10, 0, 5}, {65536, 0, 0, 0}} << 2
                                        << QList<int>{0, 3, 6, 10, 10} << QList<int>{10, 7, 4, 0, 0}
                                        << QList<int>{10, 0, 5};
    QTest::newRow("single step") << QList<GridStep>{{100, 7, 8, 9}, {65536, 1, 2, 3}} << 1
                                 << QList<int>{7, 7, 7, 7, 7} << QList<int>{8, 8, 8, 8, 8} << QList<int>{7, 8, 9};
    QTest::newRow("end mark in row 1") << QList<GridStep>{{65536, 12, 34, 56}} << 0 << QList<int>{12, 12, 12, 12, 12}
                                       << QList<int>{34, 34, 34, 34, 34} << QList<int>{12, 34, 56};
}

void TestWaveformPreview::samples()
{
    QFETCH(QList<GridStep>, steps);
    QFETCH(int, stepCount);
    QFETCH(QList<int>, redHead);
    QFETCH(QList<int>, greenHead);
    QFETCH(QList<int>, tail);
    PreviewRig w(false);
    QList<std::pair<int, int>> requests;
    connect(w.form->checker, &SequenceChecker::previewRequested, [&](int c, int e) { requests << std::pair(c, e); });
    w.setSequence(steps);
    QCOMPARE(w.prompts.errors, QStringList());
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests[0].first, stepCount);
    QCOMPARE(w.playback().PlaybackEnd, std::uint32_t(requests[0].second));
    QCOMPARE(traceHead(w.screen().WaveBufferA(), 5), redHead);
    QCOMPARE(traceHead(w.screen().WaveBufferB(), 5), greenHead);
    QCOMPARE(QList<int>({w.bar().GetBufferR(65535), w.bar().GetBufferG(65535), w.bar().GetBufferB(65535)}), tail);
    verifyAllSamples(w, stepCount);
}

void TestWaveformPreview::levelsKeptAsTheBarKeepsThem()
{
    // The check never lets a level above 255 through; a table that holds one anyway is shown
    // as the bar stores it, and the trace shows the same.
    PreviewRig w(false);
    w.form->sequenceTable().setLevel(6, Red, 300);
    w.form->waveform->RebuildPreview(7, 1530);
    QCOMPARE(w.bar().GetBufferR(1530), 44);
    QCOMPARE(w.screen().WaveBufferA().GetBuffer(1530), 44.0);
    QCOMPARE(w.screen().WaveBufferA().GetBuffer(65535), 44.0);
    verifyAllSamples(w, 7);
}

void TestWaveformPreview::zoom_data()
{
    QTest::addColumn<int>("tsEnd");
    QTest::addColumn<int>("zoom");       // what CSpinEdit1 holds
    QTest::addColumn<int>("applied");    // SamplePerDiv and tick-mark spacing
    QTest::addColumn<int>("view");
    QTest::newRow("65535") << 65535 << 6554 << 6554 << 65536;
    QTest::newRow("1000") << 1000 << 100 << 100 << 1000;
    QTest::newRow("91 rounds up") << 91 << 10 << 10 << 100;
    QTest::newRow("90 keeps the zoom") << 90 << 9 << 153 << 1530;
    QTest::newRow("1 keeps the zoom") << 1 << 1 << 153 << 1530;
}

void TestWaveformPreview::zoom()
{
    QFETCH(int, tsEnd);
    QFETCH(int, zoom);
    QFETCH(int, applied);
    QFETCH(int, view);
    PreviewRig w(false);
    w.setSequence({{0, 1, 2, 3}, {tsEnd, 4, 5, 6}, {65536, 0, 0, 0}});
    QCOMPARE(w.form->editor->TSEnd_CSpinEdit->value(), tsEnd);
    QCOMPARE(w.zoom().value(), zoom);
    QCOMPARE(w.track().maximum(), tsEnd);
    QCOMPARE(w.track().tickInterval(), applied);
    for (TScreenWaveBuffer* t : {&w.screen().WaveBufferA(), &w.screen().WaveBufferB(), &w.screen().WaveBufferC()})
        QCOMPARE(t->SamplePerDiv(), applied);
    QCOMPARE(w.bar().View(), view);
    QCOMPARE(w.playback().PlaybackEnd, std::uint32_t(tsEnd));
}

void TestWaveformPreview::zoomBelowTenKeepsThePrevious()
{
    PreviewRig w(false);
    w.zoom().setValue(9);
    QCOMPARE(w.screen().WaveBufferA().SamplePerDiv(), 153);
    QCOMPARE(w.bar().View(), 1530);
    w.zoom().setValue(10);
    QCOMPARE(w.screen().WaveBufferC().SamplePerDiv(), 10);
    QCOMPARE(w.track().tickInterval(), 10);
    QCOMPARE(w.bar().View(), 100);
}

void TestWaveformPreview::trackBarMovesCursorAndChannels()
{
    PreviewRig w(false);
    w.track().setValue(300);
    verifyOnTick(w, 300);
    // Between green (255) and cyan (510): blue has risen by 45.
    QCOMPARE(w.sliderLevels(), QList<int>({0, 255, 45}));
    // The scroll bars' own handlers ran: value fields and LED.
    QCOMPARE(w.form->normal->Green_Edit->text(), QStringLiteral("255"));
    QCOMPARE(w.form->normal->Blue_Edit->text(), QStringLiteral("45"));
    QCOMPARE(w.form->side->RGB_LED->LEDColor(), QColor(0, 255, 45));
    QCOMPARE(w.screen().ScreenCursor().BufferC_X(), 45.0);
}

void TestWaveformPreview::dragPastTheEndComesBack()
{
    PreviewRig w;
    // TS_End 1521 at zoom 153: the screen shows ticks up to 1530.
    w.form->gridModel().setCell(SequenceGridModel::ColTicks, 7, QStringLiteral("1521"));
    w.form->sequence->BB_SequenzPruefen->click();
    QCOMPARE(w.zoom().value(), 153);
    QCOMPARE(w.track().maximum(), 1521);

    const int rightEdge = w.screen().width() - 1;
    w.moveMouse(rightEdge, Qt::LeftButton);
    verifyOnTick(w, 1521);
    // Again, with the track bar standing at the end already.
    w.moveMouse(rightEdge, Qt::LeftButton);
    verifyOnTick(w, 1521);
    QCOMPARE(w.sliderLevels(), QList<int>({255, 255, 0}));
}

void TestWaveformPreview::dragInsideFollowsTheMouse()
{
    PreviewRig w;
    w.moveMouse(w.columnOf(765), Qt::LeftButton);
    const int tick = w.screen().ScreenCursor().PosMX();
    QVERIFY(std::abs(tick - 765) <= 2);
    verifyOnTick(w, tick);
    // The left border gives tick 0.
    w.moveMouse(0, Qt::LeftButton);
    verifyOnTick(w, 0);
    QCOMPARE(w.sliderLevels(), QList<int>({255, 255, 0}));
}

void TestWaveformPreview::moveWithoutButtonOnlyMovesTheLine()
{
    PreviewRig w;
    w.track().setValue(200);
    verifyOnTick(w, 200);
    const QList<int> levels = w.sliderLevels();
    const QImage before = w.screen().frame();

    w.moveMouse(w.columnOf(1000), Qt::NoButton);
    QVERIFY(std::abs(w.screen().ScreenCursor().PosMX() - 1000) <= 2);
    QVERIFY(w.screen().frame() != before);   // the line moved
    QCOMPARE(w.track().value(), 200);
    QCOMPARE(w.cursorEdit().text(), QStringLiteral("200"));
    QCOMPARE(w.sliderLevels(), levels);
    QCOMPARE(w.playback().PlaybackPosition, 200u);
    // The right button alone does not count either.
    w.moveMouse(w.columnOf(1200), Qt::RightButton);
    QCOMPARE(w.track().value(), 200);
    QCOMPARE(w.cursorEdit().text(), QStringLiteral("200"));
}

void TestWaveformPreview::loweringTheEndMovesEverythingToIt()
{
    PreviewRig w(false);
    w.track().setValue(1500);
    verifyOnTick(w, 1500);
    w.form->gridModel().setCell(SequenceGridModel::ColTicks, 7, QStringLiteral("1400"));
    w.form->sequence->BB_SequenzPruefen->click();
    QCOMPARE(w.track().maximum(), 1400);
    QCOMPARE(w.playback().PlaybackEnd, 1400u);
    verifyOnTick(w, 1400);
    // The levels are those of the sequence just checked: yellow at its new end.
    QCOMPARE(w.sliderLevels(), QList<int>({255, 255, 0}));
}

void TestWaveformPreview::rebuildKeepsCursorMarkerAndTrace()
{
    PreviewRig w(false);
    w.track().setValue(600);
    w.form->waveform->ShowStepMarker(SequenceGridModel::ColGreen, 2);
    w.form->normal->CB_MarkerEnabled->setChecked(true);
    w.form->sequence->BB_SequenzPruefen->click();
    const TScreenCursor& c = w.screen().ScreenCursor();
    QCOMPARE(c.PosMX(), 600);
    QCOMPARE(c.PosX(), 255);
    QCOMPARE(c.WaveBufferNumber(), 2);
    QCOMPARE(c.MarkerEnabled(), true);
    QCOMPARE(w.track().value(), 600);
}

void TestWaveformPreview::markerSwitch()
{
    PreviewRig w(false);
    QCheckBox* box = w.form->normal->CB_MarkerEnabled;
    QCOMPARE(box->text(), QStringLiteral("Marker sichtbar"));
    QVERIFY(!box->isChecked());
    QCOMPARE(w.screen().ScreenCursor().MarkerEnabled(), false);
    box->click();
    QCOMPARE(w.screen().ScreenCursor().MarkerEnabled(), true);
    box->click();
    QCOMPARE(w.screen().ScreenCursor().MarkerEnabled(), false);
}

void TestWaveformPreview::markerBeforeAnyCell()
{
    PreviewRig w;
    const QPoint centre = markerCentre(w, w.screen().WaveBufferA(), 0);
    QVERIFY(w.screen().frame().pixel(centre) != qRgb(128, 128, 128));
    w.form->normal->CB_MarkerEnabled->click();
    const TScreenCursor& c = w.screen().ScreenCursor();
    QCOMPARE(c.WaveBufferNumber(), 1);
    QCOMPARE(c.ValueY(), 0);
    QCOMPARE(c.ValueX(), 255.0);   // red of the first step
    QCOMPARE(w.screen().frame().pixel(centre), qRgb(128, 128, 128));
}

void TestWaveformPreview::cellPutsMarkerOnItsTrace_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("trace");
    QTest::addColumn<int>("tick");
    QTest::newRow("Zeit (m:s.t)") << int(SequenceGridModel::ColClock) << 5 << 1 << 1020;
    QTest::newRow("Rot") << int(SequenceGridModel::ColRed) << 2 << 1 << 255;
    QTest::newRow("Grün") << int(SequenceGridModel::ColGreen) << 3 << 2 << 510;
    QTest::newRow("Blau") << int(SequenceGridModel::ColBlue) << 4 << 3 << 765;
}

void TestWaveformPreview::cellPutsMarkerOnItsTrace()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(int, trace);
    QFETCH(int, tick);
    PreviewRig w;
    w.form->normal->CB_MarkerEnabled->setChecked(true);
    clickCell(w, column, row);
    QCOMPARE(w.prompts.errors, QStringList());
    const TScreenCursor& c = w.screen().ScreenCursor();
    QCOMPARE(c.WaveBufferNumber(), trace);
    QCOMPARE(c.PosX(), tick);
    QCOMPARE(c.ValueY(), tick);
    QCOMPARE(c.ValueX(), c.WaveBuffer().GetBuffer(tick));
    QCOMPARE(w.screen().frame().pixel(markerCentre(w, c.WaveBuffer(), tick)), qRgb(128, 128, 128));
    // The tick column selects no trace.
    clickCell(w, SequenceGridModel::ColTicks, 1);
    QCOMPARE(c.WaveBufferNumber(), trace);
    QCOMPARE(c.PosX(), tick);
}

void TestWaveformPreview::unreadableTickCellPutsMarkerAtZero()
{
    PreviewRig w(false);
    w.form->waveform->ShowStepMarker(SequenceGridModel::ColBlue, 4);
    QCOMPARE(w.screen().ScreenCursor().PosX(), 765);
    w.form->gridModel().setCell(SequenceGridModel::ColTicks, 4, QStringLiteral("7x"));
    w.form->waveform->ShowStepMarker(SequenceGridModel::ColBlue, 4);
    QCOMPARE(w.screen().ScreenCursor().PosX(), 0);
    QCOMPARE(w.screen().ScreenCursor().WaveBufferNumber(), 3);
}

#include "test_waveform.moc"
