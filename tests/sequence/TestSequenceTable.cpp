// The sequence table: LevelAtTick, the in-order evaluator and the tick/time conversions.
#include "sequence/SequenceTable.h"

#include <QRandomGenerator>
#include <QTest>

#include <limits>
#include <vector>

using Points = QList<QPair<int, int>>;  // (time, level)
using Levels = QList<quint32>;

namespace {
ChannelCurve curveOf(const Points& points)
{
    ChannelCurve c;
    for (int i = 0; i < points.size() && i < StorageSteps; ++i)
        c.points[std::size_t(i)] = {points[i].first, points[i].second};
    return c;
}

// Curves for the comparison of the two evaluators, sensible and pathological.
struct NamedCurve {
    const char* name;
    ChannelCurve curve;
    int count;
};

std::vector<NamedCurve> comparisonCurves()
{
    std::vector<NamedCurve> out;
    const SequenceTable startup;
    out.push_back({"start-up red", startup.curve(Red), 7});
    out.push_back({"start-up green", startup.curve(Green), 7});
    out.push_back({"start-up blue", startup.curve(Blue), 7});
    out.push_back({"start-up blue, all 37 points", startup.curve(Blue), 37});
    out.push_back({"ramp up", curveOf({{0, 0}, {3, 10}}), 2});
    out.push_back({"ramp down", curveOf({{0, 10}, {3, 0}}), 2});
    out.push_back({"single point", curveOf({{100, 40}}), 1});
    out.push_back({"count 0, end mark first", curveOf({{EndMark, 77}}), 0});
    out.push_back({"count 0, time 0", curveOf({{0, 12}, {50, 200}}), 0});
    out.push_back({"count above storage", curveOf({{5, 1}, {10, 250}}), 80});
    out.push_back({"negative count", curveOf({{5, 1}, {10, 250}}), -4});
    out.push_back({"steep and long ramps", curveOf({{0, 255}, {1, 0}, {65535, 255}}), 3});
    out.push_back({"first time late", curveOf({{60000, 9}, {65535, 99}}), 2});
    out.push_back({"times fall", curveOf({{0, 0}, {1000, 255}, {500, 20}, {2000, 100}, {1500, 7}}), 5});
    out.push_back({"equal times", curveOf({{10, 5}, {10, 200}, {10, 30}, {40, 0}}), 4});
    out.push_back({"negative time", curveOf({{-5, 30}, {100, 60}}), 2});
    out.push_back({"huge levels", curveOf({{0, std::numeric_limits<int>::max()}, {65535, -1}, {65535, 0}}), 2});
    out.push_back({"negative levels", curveOf({{0, -300}, {300, 400}, {600, -2}}), 3});

    QRandomGenerator rng(20240611);
    for (int k = 0; k < 4; ++k) {
        ChannelCurve c;
        int t = int(rng.bounded(50));
        for (auto& p : c.points) {
            p = {t, int(rng.bounded(256))};
            t += 1 + int(rng.bounded(3000));
        }
        out.push_back({"random rising", c, StorageSteps});
    }
    for (int k = 0; k < 4; ++k) {
        ChannelCurve c;
        for (auto& p : c.points)
            p = {int(rng.bounded(70000)) - 1000, int(rng.generate())};
        out.push_back({"random anything", c, 1 + int(rng.bounded(40))});
    }
    return out;
}
} // namespace

class TestSequenceTable : public QObject {
    Q_OBJECT
private slots:
    void levelAtTick_data();
    void levelAtTick();
    void countZeroWithEndMark();
    void startupTable();
    void levelStaysWithinLevelsInvolved();
    void inOrderEvaluatorMatches();
    void inOrderEvaluatorByteAndDouble();
    void inOrderEvaluatorWindows();
    void stepAccessOutsideStorage();

    void speedCode_data();
    void speedCode();
    void ticksToMs_data();
    void ticksToMs();
    void msToTicks_data();
    void msToTicks();
    void clockText_data();
    void clockText();
    void parseClockText_data();
    void parseClockText();
};

void TestSequenceTable::levelAtTick_data()
{
    QTest::addColumn<Points>("points");
    QTest::addColumn<int>("count");
    QTest::addColumn<quint32>("firstTick");
    QTest::addColumn<Levels>("expected");

    QTest::newRow("ramp up") << Points{{0, 0}, {3, 10}} << 2 << 0u << Levels{0, 3, 6, 10, 10};
    QTest::newRow("ramp down") << Points{{0, 10}, {3, 0}} << 2 << 0u << Levels{10, 7, 4, 0, 0};
    QTest::newRow("single point, before") << Points{{100, 40}} << 1 << 97u << Levels{40, 40, 40, 40, 40, 40};
    QTest::newRow("before the first point") << Points{{5, 8}, {10, 18}} << 2 << 0u
                                            << Levels{8, 8, 8, 8, 8, 8, 10, 12, 14, 16, 18, 18};
    QTest::newRow("at the step the level is exact") << Points{{0, 0}, {7, 255}, {14, 0}} << 3 << 6u
                                                    << Levels{218, 255, 219};
    QTest::newRow("last counted point holds") << Points{{0, 0}, {2, 100}, {4, 0}} << 2 << 1u
                                              << Levels{50, 100, 100, 100};
}

void TestSequenceTable::levelAtTick()
{
    QFETCH(Points, points);
    QFETCH(int, count);
    QFETCH(quint32, firstTick);
    QFETCH(Levels, expected);
    const ChannelCurve c = curveOf(points);
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(LevelAtTick(c, count, firstTick + quint32(i)), expected[i]);
    Levels fast(expected.size());
    LevelsForTicks(c, count, firstTick, std::size_t(fast.size()), fast.begin());
    QCOMPARE(fast, expected);
}

void TestSequenceTable::countZeroWithEndMark()
{
    const ChannelCurve c = curveOf({{EndMark, 42}, {0, 7}, {9, 200}});
    for (quint32 x : {0u, 1u, 1530u, 65535u})
        QCOMPARE(LevelAtTick(c, 0, x), 42u);
}

void TestSequenceTable::startupTable()
{
    const SequenceTable t;
    const SequenceStep expected[] = {
        {0, 255, 255, 0},   {255, 0, 255, 0},    {510, 0, 255, 255}, {765, 0, 0, 255},
        {1020, 255, 0, 255}, {1275, 255, 0, 0}, {1530, 255, 255, 0}, {EndMark, 0, 0, 0},
    };
    for (int i = 0; i < StorageSteps; ++i) {
        const SequenceStep s = t.step(i);
        const SequenceStep e = i < 8 ? expected[i] : SequenceStep{};
        QCOMPARE(s.time, e.time);
        QCOMPARE(s.red, e.red);
        QCOMPARE(s.green, e.green);
        QCOMPARE(s.blue, e.blue);
        // The time is stored in all three curves.
        QCOMPARE(t.curve(Green).points[std::size_t(i)].time, e.time);
        QCOMPARE(t.curve(Blue).points[std::size_t(i)].time, e.time);
    }
    QCOMPARE(LevelAtTick(t.curve(Red), 7, 100), 155u);
    QCOMPARE(LevelAtTick(t.curve(Green), 7, 600), 165u);
    QCOMPARE(LevelAtTick(t.curve(Green), 7, 1400), 125u);
    QCOMPARE(LevelAtTick(t.curve(Blue), 7, 300), 45u);
    for (quint32 x : {1530u, 1531u, 40000u, 65535u}) {
        QCOMPARE(LevelAtTick(t.curve(Red), 7, x), 255u);
        QCOMPARE(LevelAtTick(t.curve(Green), 7, x), 255u);
        QCOMPARE(LevelAtTick(t.curve(Blue), 7, x), 0u);
    }
}

void TestSequenceTable::levelStaysWithinLevelsInvolved()
{
    for (const NamedCurve& nc : comparisonCurves()) {
        const int n = std::clamp(nc.count, 0, StorageSteps);
        quint32 lo = quint32(nc.curve.points[0].level), hi = lo;
        for (int k = 1; k < n; ++k) {
            lo = std::min(lo, quint32(nc.curve.points[std::size_t(k)].level));
            hi = std::max(hi, quint32(nc.curve.points[std::size_t(k)].level));
        }
        for (quint64 x = 0; x <= 0xFFFFFFFFull; x += (x < 70000 ? 1 : 0x01000193)) {
            const quint32 v = LevelAtTick(nc.curve, nc.count, quint32(x));
            if (v < lo || v > hi)
                QFAIL(qPrintable(QStringLiteral("%1: tick %2 gives %3").arg(nc.name).arg(x).arg(v)));
        }
    }
}

void TestSequenceTable::inOrderEvaluatorMatches()
{
    std::vector<quint32> fast(65536);
    for (const NamedCurve& nc : comparisonCurves()) {
        const auto end = LevelsForTicks(nc.curve, nc.count, 0, fast.size(), fast.data());
        QCOMPARE(end, fast.data() + fast.size());
        for (quint32 x = 0; x < 65536; ++x) {
            if (fast[x] != LevelAtTick(nc.curve, nc.count, x))
                QFAIL(qPrintable(QStringLiteral("%1: tick %2 gives %3, LevelAtTick %4")
                                     .arg(nc.name)
                                     .arg(x)
                                     .arg(fast[x])
                                     .arg(LevelAtTick(nc.curve, nc.count, x))));
        }
    }
}

void TestSequenceTable::inOrderEvaluatorByteAndDouble()
{
    // A uint8_t output keeps the level modulo 256, as the LED bar does; a double takes it whole.
    const ChannelCurve c = curveOf({{0, 0}, {100, 1000}});
    std::vector<std::uint8_t> bytes(101);
    std::vector<double> doubles(101);
    LevelsForTicks(c, 2, 0, bytes.size(), bytes.data());
    LevelsForTicks(c, 2, 0, doubles.size(), doubles.data());
    for (quint32 x = 0; x <= 100; ++x) {
        QCOMPARE(bytes[x], std::uint8_t(LevelAtTick(c, 2, x)));
        QCOMPARE(doubles[x], double(LevelAtTick(c, 2, x)));
    }
}

void TestSequenceTable::inOrderEvaluatorWindows()
{
    // Windows that start late, and one that runs across 2^32 back to tick 0.
    const auto curves = comparisonCurves();
    const quint32 starts[] = {1, 254, 1531, 60000, 0xFFFFFF00u, 0xFFFFFFFFu};
    for (const NamedCurve& nc : curves) {
        for (quint32 first : starts) {
            std::vector<quint32> fast(700);
            LevelsForTicks(nc.curve, nc.count, first, fast.size(), fast.data());
            for (quint32 i = 0; i < fast.size(); ++i)
                QCOMPARE(fast[i], LevelAtTick(nc.curve, nc.count, first + i));
        }
    }
    std::vector<quint32> none;
    const SequenceTable t;
    QCOMPARE(LevelsForTicks(t.curve(Red), 7, 5, 0, none.data()), none.data());
}

void TestSequenceTable::stepAccessOutsideStorage()
{
    SequenceTable t;
    t.setStep(-1, {1, 2, 3, 4});
    t.setStep(StorageSteps, {1, 2, 3, 4});
    t.setLevel(0, ColourChannel(3), 99);
    QCOMPARE(t.step(-1).time, 0);
    QCOMPARE(t.step(StorageSteps).red, 0);
    QCOMPARE(t.step(0).red, 255);
    t.setStep(36, {9, 8, 7, 6});
    QCOMPARE(t.step(36).time, 9);
    QCOMPARE(t.step(36).blue, 6);
}

void TestSequenceTable::speedCode_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("code");
    QTest::newRow("2") << 2 << 1;
    QTest::newRow("10") << 10 << 5;
    QTest::newRow("11 (from a file)") << 11 << 6;
    QTest::newRow("510") << 510 << 255;
}

void TestSequenceTable::speedCode()
{
    QFETCH(int, speed);
    QFETCH(int, code);
    QCOMPARE(ticks::speedCode(speed), code);
}

void TestSequenceTable::ticksToMs_data()
{
    QTest::addColumn<qint64>("ticks");
    QTest::addColumn<int>("speed");
    QTest::addColumn<quint32>("ms");
    QTest::newRow("1530 at 10") << qint64(1530) << 10 << 15300u;
    QTest::newRow("65535 at 510") << qint64(65535) << 510 << 33422850u;
    QTest::newRow("65536 at 510") << qint64(65536) << 510 << 33423360u;
    QTest::newRow("100 at 11") << qint64(100) << 11 << 1200u;
    QTest::newRow("0") << qint64(0) << 10 << 0u;
}

void TestSequenceTable::ticksToMs()
{
    QFETCH(qint64, ticks);
    QFETCH(int, speed);
    QFETCH(quint32, ms);
    QCOMPARE(ticks::TicksToMs(ticks, speed), ms);
}

void TestSequenceTable::msToTicks_data()
{
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<int>("speed");
    QTest::addColumn<qint64>("ticks");
    QTest::newRow("1000 at 10") << qint64(1000) << 10 << qint64(100);
    QTest::newRow("1001 at 10") << qint64(1001) << 10 << qint64(100);
    QTest::newRow("1009 at 10") << qint64(1009) << 10 << qint64(101);
    QTest::newRow("1 at 10") << qint64(1) << 10 << qint64(0);
    QTest::newRow("15300 at 10") << qint64(15300) << 10 << qint64(1530);
    QTest::newRow("10:55.359 at 10") << qint64(655359) << 10 << qint64(65536);
    QTest::newRow("9999:59.999 at 2") << qint64(599999999) << 2 << qint64(300000000);
}

void TestSequenceTable::msToTicks()
{
    QFETCH(qint64, ms);
    QFETCH(int, speed);
    QFETCH(qint64, ticks);
    QCOMPARE(ticks::MsToTicks(ms, speed), ticks);
}

void TestSequenceTable::clockText_data()
{
    QTest::addColumn<quint32>("ms");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0u << QStringLiteral("0:00.000");
    QTest::newRow("1530 ticks at 10") << 15300u << QStringLiteral("0:15.300");
    QTest::newRow("255 ticks at 10") << 2550u << QStringLiteral("0:02.550");
    QTest::newRow("65535 ticks at 510") << 33422850u << QStringLiteral("557:02.850");
    QTest::newRow("largest") << 4294967295u << QStringLiteral("71582:47.295");
}

void TestSequenceTable::clockText()
{
    QFETCH(quint32, ms);
    QFETCH(QString, text);
    QCOMPARE(ticks::clockText(ms), text);
}

void TestSequenceTable::parseClockText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<quint32>("minutes");
    QTest::addColumn<quint32>("seconds");
    QTest::addColumn<quint32>("milliseconds");
    QTest::newRow("as written") << QStringLiteral("0:15.300") << true << 0u << 15u << 300u;
    QTest::newRow("long minutes") << QStringLiteral("557:02.850") << true << 557u << 2u << 850u;
    QTest::newRow("no leading zeros") << QStringLiteral("1:2.3") << true << 1u << 2u << 3u;
    QTest::newRow("blanks before numbers") << QStringLiteral(" 1: 2. 3") << true << 1u << 2u << 3u;
    QTest::newRow("trailing text ignored") << QStringLiteral("1:02.003xyz") << true << 1u << 2u << 3u;
    QTest::newRow("empty") << QString() << false << 0u << 0u << 0u;
    QTest::newRow("no milliseconds") << QStringLiteral("1:02") << false << 0u << 0u << 0u;
    QTest::newRow("blank before colon") << QStringLiteral("1 :02.000") << false << 0u << 0u << 0u;
    QTest::newRow("too large") << QStringLiteral("99999999999:00.000") << false << 0u << 0u << 0u;
}

void TestSequenceTable::parseClockText()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(quint32, minutes);
    QFETCH(quint32, seconds);
    QFETCH(quint32, milliseconds);
    quint32 m = 0, s = 0, t = 0;
    QCOMPARE(ticks::parseClockText(text, m, s, t), ok);
    if (ok) {
        QCOMPARE(m, minutes);
        QCOMPARE(s, seconds);
        QCOMPARE(t, milliseconds);
    }
}

QTEST_APPLESS_MAIN(TestSequenceTable)
#include "TestSequenceTable.moc"
