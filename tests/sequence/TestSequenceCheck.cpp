// The check that accepts the grid into the table, and the decimal reading of grid cells.
#include "sequence/SequenceCheck.h"
#include "tests/sequence/CheckMessages.h"

#include <QTest>

#include <array>

using Rows = QList<QStringList>;  // per grid row: ticks, red, green, blue

namespace {
// A grid of 37 step rows (index 0 unused) and columns 0..5; it logs every write and every
// read of a column the check must not read.
class FakeGrid : public CheckGrid {
public:
    std::array<std::array<QString, 6>, StorageSteps + 1> cells;
    QStringList* log = nullptr;
    mutable int forbiddenReads = 0;

    QString cellText(int row, int column) const override
    {
        if (row < 1 || row > StorageSteps || column < 0 || column > 5 || column == 0 || column == 2)
            ++forbiddenReads;
        if (row < 0 || row > StorageSteps || column < 0 || column > 5)
            return {};
        return cells[std::size_t(row)][std::size_t(column)];
    }
    void setCellText(int row, int column, const QString& text) override
    {
        log->append(QStringLiteral("set|%1|%2|%3").arg(row).arg(column).arg(text));
        cells[std::size_t(row)][std::size_t(column)] = text;
    }
};

class FakeReporter : public CheckReporter {
public:
    explicit FakeReporter(QStringList* log) : log(log) {}
    QStringList* log;
    void message(const QString& text) override { log->append(QStringLiteral("message|") + text); }
    void conversionError(const QString& text) override { log->append(QStringLiteral("error|") + text); }
};

QString msgTime(int row)
{
    return QStringLiteral("message|") + orderMessage(row);
}

QString msgLevel(int row, const char* column)
{
    return QStringLiteral("message|") + rangeMessage(row, column);
}

QString setTick(int row, int value)
{
    return QStringLiteral("set|%1|1|%2").arg(row).arg(value);
}

Rows startupRows()
{
    Rows rows = {{"0", "255", "255", "0"},   {"255", "0", "255", "0"},   {"510", "0", "255", "255"},
                 {"765", "0", "0", "255"},   {"1020", "255", "0", "255"}, {"1275", "255", "0", "0"},
                 {"1530", "255", "255", "0"}, {"65536", "0", "0", "0"}};
    while (rows.size() < StorageSteps)
        rows.append({"0", "0", "0", "0"});
    return rows;
}

Rows with(Rows rows, int row, int column, const QString& text)
{
    rows[row - 1][column == 1 ? 0 : column - 2] = text;
    return rows;
}

// The grid of these rows, logging into `log`.
FakeGrid gridOf(const Rows& rows, QStringList& log)
{
    FakeGrid g;
    g.log = &log;
    for (int r = 1; r <= StorageSteps; ++r) {
        const QStringList cells = r <= rows.size() ? rows[r - 1] : QStringList{"0", "0", "0", "0"};
        g.cells[std::size_t(r)] = {QString(), cells[0], QStringLiteral("9:99.999"), cells[1], cells[2], cells[3]};
    }
    return g;
}

// A table whose every entry differs from anything a check of these grids stores.
SequenceTable sentinelTable()
{
    SequenceTable t;
    for (int i = 0; i < StorageSteps; ++i)
        t.setStep(i, {-7777, -1, -2, -3});
    return t;
}

// What the table must hold for row r after a check: the (corrected) tick cell and the levels
// 0..255 as typed, anything else 0.
SequenceStep expectedStep(const FakeGrid& g, int r)
{
    const auto level = [&](int column) {
        const qint64 v = decimalOr(g.cells[std::size_t(r)][std::size_t(column)], -1);
        return std::int32_t(v >= 0 && v <= 255 ? v : 0);
    };
    return {std::int32_t(decimalOrZero(g.cells[std::size_t(r)][1])), level(3), level(4), level(5)};
}
} // namespace

class TestSequenceCheck : public QObject {
    Q_OBJECT
private slots:
    void check_data();
    void check();
    void repeatedCheckRepeatsLevelMessage();
    void startupTableAfterCheck();
    void variantRowsBeyondMaxSteps();
    void maxStepsOutsideStorage();

    void readDecimal_data();
    void readDecimal();
    void texts();
};

void TestSequenceCheck::check_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<int>("maxSteps");
    QTest::addColumn<int>("speed");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("tsEnd");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<int>("storedRows");  // rows written into the table

    const QString idle = QStringLiteral("Prüfen / Übernehmen");
    const Rows start = startupRows();

    QTest::newRow("start-up sequence") << start << 37 << 10 << true << 7 << 1530 << durationCaption("0:15.300") << QStringList{}
                                       << 37;
    QTest::newRow("start-up sequence at Speed 510")
        << start << 37 << 510 << true << 7 << 1530 << durationCaption("13:00.300") << QStringList{} << 37;
    QTest::newRow("rows 2 and 3 both 255") << with(start, 3, 1, "255") << 37 << 10 << true << 7 << 1530
                                           << durationCaption("0:15.300") << QStringList{msgTime(3), setTick(3, 256)} << 37;
    Rows below = {{"0", "255", "255", "0"},   {"255", "0", "255", "0"},   {"510", "0", "255", "255"},
                  {"1020", "0", "0", "255"}, {"100", "255", "0", "255"}, {"1275", "255", "0", "0"},
                  {"1530", "255", "255", "0"}, {"65536", "0", "0", "0"}};
    QTest::newRow("row 5 below row 4") << below << 37 << 10 << true << 7 << 1530
                                       << durationCaption("0:15.300") << QStringList{msgTime(5), setTick(5, 1021)} << 37;
    QTest::newRow("end mark in row 1") << with(start, 1, 1, "65536") << 37 << 10 << true << 0 << 65535
                                       << durationCaption("10:55.350") << QStringList{} << 37;

    Rows rising;
    for (int r = 1; r <= StorageSteps; ++r)
        rising.append({QString::number(100 * r), "1", "2", "3"});
    QTest::newRow("no end mark") << rising << 37 << 10 << true << 37 << 3700 << durationCaption("0:37.000") << QStringList{}
                                 << 37;
    QTest::newRow("no end mark, 33 steps") << rising << 33 << 10 << true << 33 << 3300 << durationCaption("0:33.000")
                                           << QStringList{} << 33;

    QTest::newRow("green 300 in row 2") << with(start, 2, 4, "300") << 37 << 10 << true << 7 << 1530
                                        << durationCaption("0:15.300") << QStringList{msgLevel(2, "Grün")} << 37;

    Rows beyond = {{"0", "0", "0", "0"}, {"100", "0", "0", "0"}, {"65540", "0", "0", "0"}};
    QStringList raised;
    for (int r = 4; r <= 37; ++r)
        raised << setTick(r, 65536);
    QTest::newRow("65540 in row 3") << beyond << 37 << 10 << true << 2 << 65535 << durationCaption("10:55.350") << raised << 37;

    QTest::newRow("emptied tick cell in row 4")
        << with(start, 4, 1, "") << 37 << 10 << false << 0 << 0 << idle
        << QStringList{QStringLiteral("error|'' ist kein gültiger Integerwert")} << 3;
    QTest::newRow("row 1 not a number") << with(start, 1, 1, "x") << 37 << 10 << false << 0 << 0 << idle
                                        << QStringList{QStringLiteral("error|'x' ist kein gültiger Integerwert")} << 0;
    QTest::newRow("tick beyond 32 bits") << with(start, 2, 1, "4294967296") << 37 << 10 << false << 0 << 0 << idle
                                         << QStringList{QStringLiteral(
                                                "error|'4294967296' ist kein gültiger Integerwert")}
                                         << 1;

    // Within a row: time first, then Rot, Grün, Blau; the correction follows its message.
    Rows order = with(with(with(with(start, 3, 1, "7"), 3, 3, "300"), 3, 4, "-5"), 3, 5, "256");
    QTest::newRow("order within a row")
        << order << 37 << 10 << true << 7 << 1530 << durationCaption("0:15.300")
        << QStringList{msgTime(3), setTick(3, 256), msgLevel(3, "Rot"), msgLevel(3, "Blau")} << 37;

    Rows silent = with(with(with(start, 2, 3, "abc"), 2, 4, ""), 2, 5, "-1");
    QTest::newRow("unreadable and negative levels are 0 silently")
        << silent << 37 << 10 << true << 7 << 1530 << durationCaption("0:15.300") << QStringList{} << 37;

    QTest::newRow("blanks around a tick value") << with(start, 2, 1, " 255 ") << 37 << 10 << true << 7 << 1530
                                                << durationCaption("0:15.300") << QStringList{} << 37;

    // After the end mark nothing is reported or corrected, levels excepted.
    Rows after = with(with(with(start, 9, 1, "5"), 10, 1, "3"), 10, 3, "999");
    QTest::newRow("rows after the end mark") << after << 37 << 10 << true << 7 << 1530 << durationCaption("0:15.300")
                                             << QStringList{msgLevel(10, "Rot")} << 37;

    // A second end mark after the first keeps TS_End at the step before the first.
    QTest::newRow("two end marks") << with(start, 10, 1, "65536") << 37 << 10 << true << 7 << 1530
                                   << durationCaption("0:15.300") << QStringList{} << 37;

    Rows zeros;
    QStringList everyRow;
    for (int r = 1; r <= StorageSteps; ++r) {
        zeros.append({"0", "0", "0", "0"});
        if (r > 1)
            everyRow << msgTime(r) << setTick(r, r - 1);
    }
    QTest::newRow("file without steps") << zeros << 37 << 10 << true << 37 << 36 << durationCaption("0:00.360") << everyRow
                                        << 37;

    // Raised times stop at the end mark, and the rows after it are not reported.
    Rows nearEnd = {{"65534", "0", "0", "0"}, {"1", "0", "0", "0"}, {"2", "0", "0", "0"}, {"3", "0", "0", "0"}};
    QStringList nearEndEvents = {msgTime(2), setTick(2, 65535), msgTime(3), setTick(3, 65536)};
    QTest::newRow("raised into the end mark") << nearEnd << 37 << 10 << true << 2 << 65535 << durationCaption("10:55.350")
                                              << nearEndEvents << 37;

    QTest::newRow("most negative first time")
        << with(start, 1, 1, "-2147483648") << 37 << 10 << true << 7 << 1530 << durationCaption("0:15.300") << QStringList{}
        << 37;
    QTest::newRow("negative time only") << Rows{{"-20", "1", "1", "1"}, {"65536", "0", "0", "0"}} << 37 << 10 << true
                                        << 1 << 0 << durationCaption("0:00.000") << QStringList{} << 37;
}

void TestSequenceCheck::check()
{
    QFETCH(Rows, rows);
    QFETCH(int, maxSteps);
    QFETCH(int, speed);
    QFETCH(bool, complete);
    QFETCH(int, count);
    QFETCH(int, tsEnd);
    QFETCH(QString, caption);
    QFETCH(QStringList, events);
    QFETCH(int, storedRows);

    QStringList log;
    FakeGrid grid = gridOf(rows, log);
    FakeReporter reporter(&log);
    SequenceTable table = sentinelTable();

    const CheckResult result = runSequenceCheck(grid, reporter, table, maxSteps, speed);
    QCOMPARE(log, events);
    QCOMPARE(result.complete, complete);
    QCOMPARE(result.count, count);
    QCOMPARE(result.tsEnd, tsEnd);
    QCOMPARE(result.caption, caption);
    if (complete)
        QCOMPARE(result.durationMs, ticks::TicksToMs(tsEnd, speed));
    QCOMPARE(grid.forbiddenReads, 0);

    for (int r = 1; r <= StorageSteps; ++r) {
        const SequenceStep got = table.step(r - 1);
        const SequenceStep want = r <= storedRows ? expectedStep(grid, r) : SequenceStep{-7777, -1, -2, -3};
        QVERIFY2(got.time == want.time && got.red == want.red && got.green == want.green && got.blue == want.blue,
                 qPrintable(QStringLiteral("row %1: %2 %3 %4 %5").arg(r).arg(got.time).arg(got.red).arg(got.green)
                                .arg(got.blue)));
        for (ColourChannel c : {Green, Blue})
            QCOMPARE(table.curve(c).points[std::size_t(r - 1)].time, got.time);
    }
}

void TestSequenceCheck::repeatedCheckRepeatsLevelMessage()
{
    QStringList log;
    FakeGrid grid = gridOf(with(startupRows(), 2, 4, "300"), log);
    FakeReporter reporter(&log);
    SequenceTable table;
    runSequenceCheck(grid, reporter, table, 37, 10);
    runSequenceCheck(grid, reporter, table, 37, 10);
    QCOMPARE(log, (QStringList{msgLevel(2, "Grün"), msgLevel(2, "Grün")}));
    QCOMPARE(grid.cells[2][4], QStringLiteral("300"));
    QCOMPARE(table.step(1).green, 0);
}

void TestSequenceCheck::startupTableAfterCheck()
{
    // The check of the start-up grid stores exactly the start-up table.
    QStringList log;
    FakeGrid grid = gridOf(startupRows(), log);
    FakeReporter reporter(&log);
    SequenceTable table = sentinelTable();
    runSequenceCheck(grid, reporter, table, 37, 10);
    const SequenceTable startup;
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < StorageSteps; ++i) {
            QCOMPARE(table.curves[std::size_t(c)].points[std::size_t(i)].time,
                     startup.curves[std::size_t(c)].points[std::size_t(i)].time);
            QCOMPARE(table.curves[std::size_t(c)].points[std::size_t(i)].level,
                     startup.curves[std::size_t(c)].points[std::size_t(i)].level);
        }
}

void TestSequenceCheck::variantRowsBeyondMaxSteps()
{
    // Rows beyond MaxSteps are neither read nor stored.
    QStringList log;
    Rows rows = startupRows();
    for (int r = 34; r <= 37; ++r)
        rows[r - 1] = {"junk", "junk", "junk", "junk"};
    FakeGrid grid = gridOf(rows, log);
    FakeReporter reporter(&log);
    SequenceTable table = sentinelTable();
    const CheckResult result = runSequenceCheck(grid, reporter, table, 33, 10);
    QVERIFY(result.complete);
    QVERIFY(log.isEmpty());
    QCOMPARE(table.step(32).time, 0);
    QCOMPARE(table.step(33).time, -7777);
    QCOMPARE(table.step(36).red, -1);
}

void TestSequenceCheck::maxStepsOutsideStorage()
{
    // More rows than the storage holds are limited to it; none at all store nothing.
    QStringList log;
    FakeGrid grid = gridOf(startupRows(), log);
    FakeReporter reporter(&log);
    SequenceTable table = sentinelTable();
    CheckResult r = runSequenceCheck(grid, reporter, table, 500, 10);
    QVERIFY(r.complete);
    QCOMPARE(r.count, 7);
    QCOMPARE(r.tsEnd, 1530);
    QCOMPARE(grid.forbiddenReads, 0);
    QCOMPARE(table.step(36).time, 0);

    table = sentinelTable();
    r = runSequenceCheck(grid, reporter, table, -3, 10);
    QVERIFY(r.complete);
    QCOMPARE(r.count, 0);
    QCOMPARE(r.tsEnd, 0);
    QCOMPARE(table.step(0).time, -7777);
    QVERIFY(log.isEmpty());
}

void TestSequenceCheck::readDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<bool>("ok32");
    QTest::newRow("digits") << QStringLiteral("1530") << true << qint64(1530) << true;
    QTest::newRow("zero") << QStringLiteral("0") << true << qint64(0) << true;
    QTest::newRow("leading zeros") << QStringLiteral("007") << true << qint64(7) << true;
    QTest::newRow("plus") << QStringLiteral("+5") << true << qint64(5) << true;
    QTest::newRow("minus") << QStringLiteral("-5") << true << qint64(-5) << true;
    QTest::newRow("blanks around") << QStringLiteral(" \t12 ") << true << qint64(12) << true;
    QTest::newRow("int32 max") << QStringLiteral("2147483647") << true << qint64(2147483647) << true;
    QTest::newRow("int32 min") << QStringLiteral("-2147483648") << true << qint64(-2147483648LL) << true;
    QTest::newRow("beyond int32") << QStringLiteral("2147483648") << true << qint64(2147483648LL) << false;
    QTest::newRow("int64 max") << QStringLiteral("9223372036854775807") << true
                               << std::numeric_limits<qint64>::max() << false;
    QTest::newRow("int64 min") << QStringLiteral("-9223372036854775808") << true
                               << std::numeric_limits<qint64>::min() << false;
    QTest::newRow("beyond int64") << QStringLiteral("9223372036854775808") << false << qint64(0) << false;
    QTest::newRow("empty") << QString() << false << qint64(0) << false;
    QTest::newRow("blank") << QStringLiteral("  ") << false << qint64(0) << false;
    QTest::newRow("sign only") << QStringLiteral("-") << false << qint64(0) << false;
    QTest::newRow("two signs") << QStringLiteral("+-1") << false << qint64(0) << false;
    QTest::newRow("blank after sign") << QStringLiteral("- 1") << false << qint64(0) << false;
    QTest::newRow("inner blank") << QStringLiteral("1 2") << false << qint64(0) << false;
    QTest::newRow("trailing letters") << QStringLiteral("12abc") << false << qint64(0) << false;
    QTest::newRow("hexadecimal") << QStringLiteral("0x10") << false << qint64(0) << false;
    QTest::newRow("dollar hex") << QStringLiteral("$10") << false << qint64(0) << false;
    QTest::newRow("fraction") << QStringLiteral("1.5") << false << qint64(0) << false;
    QTest::newRow("other digit script") << QString::fromUtf8("\u0661\u0662") << false << qint64(0) << false;
    QTest::newRow("line break") << QStringLiteral("12\n") << false << qint64(0) << false;
}

void TestSequenceCheck::readDecimal()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qint64, value);
    QFETCH(bool, ok32);
    qint64 v = 4242;
    QCOMPARE(::readDecimal(text, v), ok);
    QCOMPARE(v, ok ? value : qint64(4242));  // untouched on failure
    qint32 v32 = 4242;
    QCOMPARE(readDecimal32(text, v32), ok32);
    QCOMPARE(v32, ok32 ? qint32(value) : 4242);
    QCOMPARE(decimalOrZero(text), ok ? value : 0);
    QCOMPARE(decimalOr(text, -1), ok ? value : -1);
}

void TestSequenceCheck::texts()
{
    QCOMPARE(conversionErrorText(QStringLiteral("12a")), QStringLiteral("'12a' ist kein gültiger Integerwert"));
    QCOMPARE(checkCaption(), QStringLiteral("Prüfen / Übernehmen"));
    QCOMPARE(checkDurationCaption(15300), QStringLiteral("Prüfen / Übernehmen  (Sequenzdauer = 0:15.300)"));
    QCOMPARE(timeOrderMessage(12),
             QStringLiteral("Der Wert in Zeile: 12 / Spalte: Zeit\n ist kleiner als der vorherige Wert\n\nDer Wert "
                            "wird auf den nächsten möglichen Wert gesetzt."));
    QCOMPARE(levelRangeMessage(1, Red), QStringLiteral("Der Wert in Zeile: 1 / Spalte: Rot\nist außerhalb des "
                                                       "Wertebereichs (0..255)"));
    QCOMPARE(levelRangeMessage(37, Green), QStringLiteral("Der Wert in Zeile: 37 / Spalte: Grün\nist außerhalb des "
                                                          "Wertebereichs (0..255)"));
    QCOMPARE(levelRangeMessage(2, Blue), QStringLiteral("Der Wert in Zeile: 2 / Spalte: Blau\nist außerhalb des "
                                                        "Wertebereichs (0..255)"));
}

QTEST_APPLESS_MAIN(TestSequenceCheck)
#include "TestSequenceCheck.moc"
