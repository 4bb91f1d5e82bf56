// Grid rules without widgets: the clock-time column, the time dialog's arithmetic, the
// relative conversion, the key filter, the tick limit, the rotation and the cell looks.
#include "sequence/GridRules.h"
#include "sequence/SequenceGridModel.h"
#include "sequence/SequenceTable.h"
#include "sequence/TimeColumn.h"

#include <QTest>

#include <climits>

namespace {
constexpr int Ticks = SequenceGridModel::ColTicks;
constexpr int Clock = SequenceGridModel::ColClock;
constexpr int RedCol = SequenceGridModel::ColRed;

// A grid filled from the start-up table, 37 steps visible.
struct StartGrid {
    SequenceGridModel grid;
    StartGrid() { grid.fillFromTable(SequenceTable(), StorageSteps); }
};

QStringList column(const SequenceGridModel& grid, int col, int first, int last)
{
    QStringList texts;
    for (int r = first; r <= last; ++r)
        texts << grid.cell(col, r);
    return texts;
}

QStringList ints(std::initializer_list<int> values)
{
    QStringList texts;
    for (int v : values)
        texts << QString::number(v);
    return texts;
}

void setTicks(SequenceGridModel& grid, std::initializer_list<int> values)
{
    int r = 1;
    for (int v : values)
        grid.setCell(Ticks, r++, QString::number(v));
}
} // namespace

class TestGridLogic : public QObject {
    Q_OBJECT
private slots:
    void absoluteTimesOfTheStartSequence();
    void relativeTimesOfTheStartSequence();
    void relativeTimeBelowThePreviousRowShowsItsDistanceNegative();
    void timeColumnFollowsSpeed();
    void timeColumnCoversOnlyTheVisibleSteps();
    void tickValueAsTheTimeColumnReadsIt_data();
    void tickValueAsTheTimeColumnReadsIt();

    void presetFromClockText_data();
    void presetFromClockText();
    void enteredTimeToTicksAndText_data();
    void enteredTimeToTicksAndText();

    void relativeConversionShiftsLaterRows();
    void relativeConversionStopsAtTheEndMark();
    void relativeConversionCapsAtTheEndMark();
    void relativeConversionKeepsTheDistanceOfAnUnreadableTime();
    void relativeConversionReportsATickCellWithoutInteger();

    void keyFilter_data();
    void keyFilter();
    void levelsAreShownAsDecimalIntegers_data();
    void levelsAreShownAsDecimalIntegers();
    void editorStartText();
    void tickLimit_data();
    void tickLimit();

    void lastActiveRow_data();
    void lastActiveRow();
    void lastActiveRowReportsATickCellWithoutInteger();
    void rotation_data();
    void rotation();
    void rotationWithoutActiveRowsChangesNothing();
    void rotationStopsOnAConversionError();

    void cellLooks();
};

void TestGridLogic::absoluteTimesOfTheStartSequence()
{
    StartGrid g;
    timecolumn::refreshTimeColumn(g.grid, StorageSteps, 10, false);
    QCOMPARE(column(g.grid, Clock, 1, 8),
             QStringList({"0:00.000", "0:02.550", "0:05.100", "0:07.650", "0:10.200", "0:12.750", "0:15.300",
                          "0:00.000"}));
    for (int r = 9; r <= StorageSteps; ++r)
        QCOMPARE(g.grid.cell(Clock, r), QStringLiteral("0:00.000"));
    QCOMPARE(g.grid.cell(Clock, 0), QStringLiteral("Zeit (m:s.t)"));
}

void TestGridLogic::relativeTimesOfTheStartSequence()
{
    StartGrid g;
    timecolumn::refreshTimeColumn(g.grid, StorageSteps, 10, true);
    QCOMPARE(g.grid.cell(Clock, 1), QStringLiteral("0:00.000"));
    for (int r = 2; r <= 7; ++r)
        QCOMPARE(g.grid.cell(Clock, r), QStringLiteral("0:02.550"));
    // The end row restarts the count; the zero rows after it show no distance.
    for (int r = 8; r <= StorageSteps; ++r)
        QCOMPARE(g.grid.cell(Clock, r), QStringLiteral("0:00.000"));
}

void TestGridLogic::relativeTimeBelowThePreviousRowShowsItsDistanceNegative()
{
    StartGrid g;
    g.grid.setCell(Ticks, 4, QStringLiteral("100"));
    timecolumn::refreshTimeColumn(g.grid, StorageSteps, 10, true);
    QCOMPARE(column(g.grid, Clock, 3, 5), QStringList({"0:02.550", "-0:04.100", "0:09.200"}));
}

void TestGridLogic::timeColumnFollowsSpeed()
{
    SequenceGridModel grid;
    setTicks(grid, {0, 65535, 65536, 1});
    timecolumn::refreshTimeColumn(grid, 4, 510, false);
    QCOMPARE(column(grid, Clock, 1, 4), QStringList({"0:00.000", "557:02.850", "0:00.000", "0:00.510"}));
    timecolumn::refreshTimeColumn(grid, 4, 11, false);  // an odd Speed counts as the next even one
    QCOMPARE(grid.cell(Clock, 4), QStringLiteral("0:00.012"));
}

void TestGridLogic::timeColumnCoversOnlyTheVisibleSteps()
{
    StartGrid g;
    g.grid.setCell(Clock, 34, QStringLiteral("kept"));
    timecolumn::refreshTimeColumn(g.grid, 33, 10, false);
    QCOMPARE(g.grid.cell(Clock, 33), QStringLiteral("0:00.000"));
    QCOMPARE(g.grid.cell(Clock, 34), QStringLiteral("kept"));
}

void TestGridLogic::tickValueAsTheTimeColumnReadsIt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");
    QTest::newRow("digits") << "765" << qint64(765);
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("end mark") << "65536" << qint64(65536);
    QTest::newRow("pasted letters") << "abc" << qint64(0);
    QTest::newRow("pasted sign") << "-5" << qint64(0);
    QTest::newRow("pasted leading blank") << " 7" << qint64(0);
    QTest::newRow("trailing blank") << "7 " << qint64(7);
    QTest::newRow("too long for 64 bits") << "99999999999999999999" << qint64(0);
}

void TestGridLogic::tickValueAsTheTimeColumnReadsIt()
{
    QFETCH(QString, text);
    QFETCH(qint64, value);
    SequenceGridModel grid;
    grid.setCell(Ticks, 3, text);
    QCOMPARE(timecolumn::tickValue(grid, 3), value);
}

void TestGridLogic::presetFromClockText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("milliseconds");
    QTest::newRow("m:s.t") << "0:07.650" << 0 << 7 << 650;
    QTest::newRow("long minutes") << "557:02.850" << 557 << 2 << 850;
    QTest::newRow("unnormalised") << "1:75.1234" << 1 << 75 << 1234;
    QTest::newRow("digits only") << "123" << 0 << 0 << 0;
    QTest::newRow("empty") << "" << 0 << 0 << 0;
    QTest::newRow("negative distance") << "-0:04.100" << 0 << 0 << 0;
    QTest::newRow("beyond int") << "4294967295:0.0" << INT_MAX << 0 << 0;
}

void TestGridLogic::presetFromClockText()
{
    QFETCH(QString, text);
    const ClockTime t = timecolumn::presetFromClockText(text);
    QFETCH(int, minutes);
    QCOMPARE(t.minutes, minutes);
    QFETCH(int, seconds);
    QCOMPARE(t.seconds, seconds);
    QFETCH(int, milliseconds);
    QCOMPARE(t.milliseconds, milliseconds);
}

void TestGridLogic::enteredTimeToTicksAndText_data()
{
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("milliseconds");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("text");
    QTest::newRow("rounded up to 2 ms, cut to ticks") << 0 << 10 << 1 << 10 << 1000 << "0:10.001";
    QTest::newRow("1009 ms") << 0 << 1 << 9 << 10 << 101 << "0:01.009";
    QTest::newRow("1 ms") << 0 << 0 << 1 << 10 << 0 << "0:00.001";
    QTest::newRow("last below the end mark") << 10 << 55 << 358 << 10 << 65535 << "10:55.358";
    QTest::newRow("first end mark") << 10 << 55 << 359 << 10 << 65536 << "10:55.359";
    QTest::newRow("longest entry") << 9999 << 59 << 999 << 10 << 65536 << "9999:59.999";
    QTest::newRow("slow ticks") << 1 << 0 << 0 << 510 << 117 << "1:00.000";
    QTest::newRow("held in the dialog's ranges") << 12000 << 75 << 1500 << 510 << 65536 << "9999:59.999";
}

void TestGridLogic::enteredTimeToTicksAndText()
{
    QFETCH(int, minutes);
    QFETCH(int, seconds);
    QFETCH(int, milliseconds);
    QFETCH(int, speed);
    const ClockTime t{minutes, seconds, milliseconds};
    QFETCH(int, ticks);
    QCOMPARE(timecolumn::enteredTicks(t, speed), ticks);
    QFETCH(QString, text);
    QCOMPARE(timecolumn::enteredClockText(t), text);
}

void TestGridLogic::relativeConversionShiftsLaterRows()
{
    StartGrid g;
    timecolumn::refreshTimeColumn(g.grid, StorageSteps, 10, true);
    // The dialog wrote row 2's new distance of 5 s.
    g.grid.setCell(Ticks, 2, QStringLiteral("500"));
    g.grid.setCell(Clock, 2, QStringLiteral("0:05.000"));
    QString error;
    QVERIFY(timecolumn::relativeToTicks(g.grid, StorageSteps, 10, error));
    QVERIFY(error.isEmpty());
    QCOMPARE(column(g.grid, Ticks, 1, 9), ints({0, 500, 755, 1010, 1265, 1520, 1775, 65536, 0}));
}

void TestGridLogic::relativeConversionStopsAtTheEndMark()
{
    SequenceGridModel grid;
    setTicks(grid, {0, 255, 65536, 7});
    for (int r = 1; r <= 4; ++r)
        grid.setCell(Clock, r, QStringLiteral("0:01.000"));
    QString error;
    QVERIFY(timecolumn::relativeToTicks(grid, 4, 10, error));
    QCOMPARE(column(grid, Ticks, 1, 4), ints({100, 200, 65536, 7}));
}

void TestGridLogic::relativeConversionCapsAtTheEndMark()
{
    SequenceGridModel grid;
    setTicks(grid, {0, 1, 2, 3});
    grid.setCell(Clock, 1, QStringLiteral("0:00.000"));
    grid.setCell(Clock, 2, QStringLiteral("9:00.000"));
    grid.setCell(Clock, 3, QStringLiteral("9:00.000"));
    grid.setCell(Clock, 4, QStringLiteral("0:00.002"));
    QString error;
    QVERIFY(timecolumn::relativeToTicks(grid, 4, 10, error));
    QCOMPARE(column(grid, Ticks, 1, 4), ints({0, 54000, 65536, 65536}));
}

void TestGridLogic::relativeConversionKeepsTheDistanceOfAnUnreadableTime()
{
    SequenceGridModel grid;
    setTicks(grid, {10, 300, 250, 400});
    grid.setCell(Clock, 1, QStringLiteral("0:00.100"));  // 10 ticks
    grid.setCell(Clock, 2, QStringLiteral("12"));        // typed over: keeps 290
    grid.setCell(Clock, 3, QStringLiteral("-0:00.500")); // keeps -50
    grid.setCell(Clock, 4, QStringLiteral("0:01.500"));  // 150
    QString error;
    QVERIFY(timecolumn::relativeToTicks(grid, 4, 10, error));
    QCOMPARE(column(grid, Ticks, 1, 4), ints({10, 300, 250, 400}));
}

void TestGridLogic::relativeConversionReportsATickCellWithoutInteger()
{
    SequenceGridModel grid;
    setTicks(grid, {0, 255, 510});
    grid.setCell(Ticks, 2, QString());
    for (int r = 1; r <= 3; ++r)
        grid.setCell(Clock, r, QStringLiteral("0:01.000"));
    QString error;
    QVERIFY(!timecolumn::relativeToTicks(grid, 3, 10, error));
    QCOMPARE(error, QStringLiteral("'' ist kein gültiger Integerwert"));
    QCOMPARE(column(grid, Ticks, 1, 3), QStringList({"100", "", "510"}));
}

void TestGridLogic::keyFilter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("passes");
    for (char c = '0'; c <= '9'; ++c)
        QTest::addRow("digit %c", c) << QString(QLatin1Char(c)) << true;
    QTest::newRow("backspace") << "\b" << true;
    QTest::newRow("no text (arrow, F2, Delete)") << "" << true;
    QTest::newRow("enter") << "\r" << true;
    QTest::newRow("escape") << "\x1b" << true;
    QTest::newRow("ctrl+v") << "\x16" << true;
    QTest::newRow("letter") << "a" << false;
    QTest::newRow("capital") << "E" << false;
    QTest::newRow("minus") << "-" << false;
    QTest::newRow("plus") << "+" << false;
    QTest::newRow("blank") << " " << false;
    QTest::newRow("colon") << ":" << false;
    QTest::newRow("umlaut") << "ä" << false;
    QTest::newRow("arabic-indic digit") << QString(QChar(0x0663)) << false;
    QTest::newRow("delete char") << "\x7f" << true;
}

void TestGridLogic::keyFilter()
{
    QFETCH(QString, text);
    QFETCH(bool, passes);
    QCOMPARE(gridrules::keyPasses(text), passes);
}

void TestGridLogic::levelsAreShownAsDecimalIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "255" << "255";
    QTest::newRow("leading zeros") << "007" << "7";
    QTest::newRow("blanks") << " 12 " << "12";
    QTest::newRow("plus") << "+4" << "4";
    QTest::newRow("negative") << "-3" << "-3";
    QTest::newRow("letters") << "abc" << "0";
    QTest::newRow("empty") << "" << "0";
    QTest::newRow("above a byte") << "300" << "300";
}

void TestGridLogic::levelsAreShownAsDecimalIntegers()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(gridrules::levelText(text), shown);
    SequenceGridModel grid;
    grid.setCell(SequenceGridModel::ColGreen, 1, text);
    grid.setCell(Ticks, 1, QStringLiteral("0"));
    QCOMPARE(gridrules::cellLook(grid, SequenceGridModel::ColGreen, 1).text, shown);
}

void TestGridLogic::editorStartText()
{
    SequenceGridModel grid;
    grid.setCell(Ticks, 2, QStringLiteral("0123"));
    grid.setCell(Clock, 2, QStringLiteral("0:01.230"));
    grid.setCell(RedCol, 2, QStringLiteral("007"));
    grid.setCell(SequenceGridModel::ColBlue, 2, QStringLiteral("x"));
    QCOMPARE(gridrules::editorStartText(grid, Ticks, 2), QStringLiteral("0123"));
    QCOMPARE(gridrules::editorStartText(grid, Clock, 2), QStringLiteral("0:01.230"));
    QCOMPARE(gridrules::editorStartText(grid, RedCol, 2), QStringLiteral("7"));
    QCOMPARE(gridrules::editorStartText(grid, SequenceGridModel::ColBlue, 2), QStringLiteral("0"));
}

void TestGridLogic::tickLimit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");
    QTest::newRow("above the end mark") << "70000" << "0";
    QTest::newRow("one above") << "65537" << "0";
    QTest::newRow("end mark") << "65536" << "65536";
    QTest::newRow("partial") << "7000" << "7000";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("pasted letters") << "abc" << "abc";
    QTest::newRow("too long for 64 bits") << "99999999999999999999" << "99999999999999999999";
}

void TestGridLogic::tickLimit()
{
    QFETCH(QString, text);
    QFETCH(QString, after);
    SequenceGridModel grid;
    grid.setCell(Ticks, 9, text);
    QCOMPARE(gridrules::limitTickCell(grid, 9), after != text);
    QCOMPARE(grid.cell(Ticks, 9), after);
}

void TestGridLogic::lastActiveRow_data()
{
    QTest::addColumn<QStringList>("ticks");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("last");
    const QStringList start = ints({0, 255, 510, 765, 1020, 1275, 1530, 65536, 0});
    QTest::newRow("start sequence") << start << 37 << 7;
    QStringList disorder = start;
    disorder[3] = QStringLiteral("100");
    QTest::newRow("time out of order in row 4") << disorder << 37 << 3;
    QStringList equal = start;
    equal[2] = QStringLiteral("255");
    QTest::newRow("equal time in row 3") << equal << 37 << 2;
    QTest::newRow("end mark in row 1") << ints({65536, 5}) << 37 << 0;
    QTest::newRow("end mark in row 2") << ints({0, 65536}) << 37 << 1;
    QStringList rising;
    for (int r = 0; r < 37; ++r)
        rising << QString::number(r * 10);
    QTest::newRow("no end mark") << rising << 37 << 37;
    QTest::newRow("no end mark, 33 steps") << rising << 33 << 33;
    QTest::newRow("above the end mark counts as a time") << ints({0, 65540, 0}) << 37 << 2;
    QTest::newRow("negative first time") << ints({-5, 3}) << 37 << 0;
}

void TestGridLogic::lastActiveRow()
{
    QFETCH(QStringList, ticks);
    SequenceGridModel grid;
    for (int r = 1; r <= StorageSteps; ++r)
        grid.setCell(Ticks, r, r <= ticks.size() ? ticks[r - 1] : QStringLiteral("0"));
    QString error;
    QFETCH(int, steps);
    QFETCH(int, last);
    QCOMPARE(gridrules::lastActiveRow(grid, steps, error), last);
    QVERIFY(error.isEmpty());
}

void TestGridLogic::lastActiveRowReportsATickCellWithoutInteger()
{
    StartGrid g;
    g.grid.setCell(Ticks, 3, QStringLiteral("5x"));
    QString error;
    QCOMPARE(gridrules::lastActiveRow(g.grid, StorageSteps, error), -1);
    QCOMPARE(error, QStringLiteral("'5x' ist kein gültiger Integerwert"));
}

void TestGridLogic::rotation_data()
{
    QTest::addColumn<int>("disorderRow");
    QTest::addColumn<bool>("down");
    QTest::addColumn<QStringList>("red");
    QTest::newRow("down") << 0 << true << ints({255, 255, 0, 0, 0, 255, 255, 0});
    QTest::newRow("up") << 0 << false << ints({0, 0, 0, 255, 255, 255, 255, 0});
    QTest::newRow("down, row 4 out of order") << 4 << true << ints({0, 255, 0, 0, 255, 255, 255, 0});
    QTest::newRow("up, row 4 out of order") << 4 << false << ints({0, 0, 255, 0, 255, 255, 255, 0});
}

void TestGridLogic::rotation()
{
    QFETCH(int, disorderRow);
    StartGrid g;
    if (disorderRow)
        g.grid.setCell(Ticks, disorderRow, QStringLiteral("100"));
    QString error;
    QFETCH(bool, down);
    QVERIFY(gridrules::rotateColourColumn(g.grid, RedCol, down, StorageSteps, error));
    QFETCH(QStringList, red);
    QCOMPARE(column(g.grid, RedCol, 1, 8), red);
    // Only the one column moves.
    QCOMPARE(column(g.grid, SequenceGridModel::ColGreen, 1, 7), ints({255, 255, 255, 0, 0, 0, 255}));
    QCOMPARE(g.grid.cell(RedCol, 0), QStringLiteral("Rot"));
}

void TestGridLogic::rotationWithoutActiveRowsChangesNothing()
{
    for (const QStringList& ticks : {ints({65536, 255, 510}), ints({0, 65536, 510}), ints({5, 5, 5})}) {
        StartGrid g;
        for (int r = 1; r <= ticks.size(); ++r)
            g.grid.setCell(Ticks, r, ticks[r - 1]);
        for (bool down : {true, false}) {
            QString error;
            QVERIFY(gridrules::rotateColourColumn(g.grid, RedCol, down, StorageSteps, error));
            QCOMPARE(column(g.grid, RedCol, 0, 8), QStringList({"Rot", "255", "0", "0", "0", "255", "255", "255", "0"}));
        }
    }
}

void TestGridLogic::rotationStopsOnAConversionError()
{
    StartGrid g;
    g.grid.setCell(Ticks, 5, QString());
    QString error;
    QVERIFY(!gridrules::rotateColourColumn(g.grid, RedCol, true, StorageSteps, error));
    QCOMPARE(error, QStringLiteral("'' ist kein gültiger Integerwert"));
    QCOMPARE(column(g.grid, RedCol, 1, 7), ints({255, 0, 0, 0, 255, 255, 255}));
}

void TestGridLogic::cellLooks()
{
    using L = gridrules::CellLook;
    StartGrid g;
    timecolumn::refreshTimeColumn(g.grid, StorageSteps, 10, false);
    g.grid.setCell(SequenceGridModel::ColBlue, 2, QStringLiteral("007"));

    const L corner = gridrules::cellLook(g.grid, 0, 0);
    QVERIFY(!corner.raisedFrame);
    QCOMPARE(corner.fill, L::FixedFace);

    const L header = gridrules::cellLook(g.grid, Ticks, 0);
    QVERIFY(header.raisedFrame);
    QCOMPARE(header.align, L::Centred);
    QCOMPARE(header.text, QStringLiteral("Zeit (Ticks)"));

    const L number = gridrules::cellLook(g.grid, 0, 12);
    QVERIFY(number.raisedFrame);
    QCOMPARE(number.align, L::Right);
    QCOMPARE(number.text, QStringLiteral("12"));
    QVERIFY(!number.grayText);

    const L fills[] = {gridrules::cellLook(g.grid, 1, 2), gridrules::cellLook(g.grid, 2, 2),
                       gridrules::cellLook(g.grid, 3, 2), gridrules::cellLook(g.grid, 4, 2),
                       gridrules::cellLook(g.grid, 5, 2)};
    QCOMPARE(fills[0].fill, L::White);
    QCOMPARE(fills[1].fill, L::White);
    QCOMPARE(fills[2].fill, L::LightRed);
    QCOMPARE(fills[3].fill, L::LightGreen);
    QCOMPARE(fills[4].fill, L::LightCyan);
    QCOMPARE(fills[0].align, L::Right);
    QCOMPARE(fills[1].align, L::Right);
    QCOMPARE(fills[2].align, L::Centred);
    QCOMPARE(fills[4].text, QStringLiteral("7"));
    QCOMPARE(fills[1].text, QStringLiteral("0:02.550"));
    for (const L& l : fills)
        QVERIFY(!l.raisedFrame && !l.grayText && !l.endRow);

    // Row 1 at tick 0 is the start, not an empty row.
    QCOMPARE(gridrules::cellLook(g.grid, RedCol, 1).fill, L::LightRed);

    for (int col = 1; col <= 5; ++col) {
        const L end = gridrules::cellLook(g.grid, col, 8);
        QVERIFY(end.endRow);
        QCOMPARE(end.fill, L::FixedFace);
        QCOMPARE(end.text, col == Ticks ? QStringLiteral("ENDE") : QString());

        const L empty = gridrules::cellLook(g.grid, col, 9);
        QCOMPARE(empty.fill, L::White);
        QVERIFY(empty.grayText);
        QVERIFY(!empty.endRow);
    }
    QCOMPARE(gridrules::cellLook(g.grid, Clock, 9).text, QStringLiteral("0:00.000"));
    QCOMPARE(gridrules::cellLook(g.grid, RedCol, 9).text, QStringLiteral("0"));
    // An empty tick cell reads 0 as well.
    g.grid.setCell(Ticks, 3, QString());
    QVERIFY(gridrules::cellLook(g.grid, RedCol, 3).grayText);
}

QTEST_GUILESS_MAIN(TestGridLogic)
#include "test_grid_logic.moc"
