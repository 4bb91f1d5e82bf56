#include "sequence/SequenceCheck.h"

#include <algorithm>

QString checkCaption()
{
    return QStringLiteral("Prüfen / Übernehmen");
}

QString checkDurationCaption(std::uint32_t ms)
{
    return QStringLiteral("Prüfen / Übernehmen  (Sequenzdauer = %1)").arg(ticks::clockText(ms));
}

QString timeOrderMessage(int row)
{
    return QStringLiteral("Der Wert in Zeile: %1 / Spalte: Zeit\n ist kleiner als der vorherige Wert\n\n"
                          "Der Wert wird auf den nächsten möglichen Wert gesetzt.")
        .arg(row);
}

QString levelRangeMessage(int row, ColourChannel channel)
{
    static const char* const names[] = {"Rot", "Grün", "Blau"};
    return QStringLiteral("Der Wert in Zeile: %1 / Spalte: %2\nist außerhalb des Wertebereichs (0..255)")
        .arg(row)
        .arg(QString::fromUtf8(names[std::clamp(int(channel), 0, 2)]));
}

CheckResult runSequenceCheck(CheckGrid& grid, CheckReporter& reporter, SequenceTable& table, int maxSteps,
                             int speed)
{
    CheckResult result;
    result.caption = checkCaption();

    const auto readTicks = [&](int row, qint32& t) {
        const QString text = grid.cellText(row, SequenceColumn::Ticks);
        if (readDecimal32(text, t))
            return true;
        reporter.conversionError(conversionErrorText(text));
        return false;
    };

    const int rows = std::clamp(maxSteps, 0, StorageSteps);
    // Working values are 64-bit so that a first time of INT32_MIN cannot overflow
    // "previous"; every value that reaches the table fits in 32 bits.
    qint64 previous = 0;
    bool endMet = false;  // the first end mark has been met
    qint64 endTime = 0;   // the time of the step before it (may be negative)
    int count = 0;
    if (rows > 0) {
        qint32 first = 0;
        if (!readTicks(1, first))
            return result;
        previous = qint64(first) - 1;
    }

    for (int r = 1; r <= rows; ++r) {
        const int i = r - 1;
        qint32 read = 0;
        if (!readTicks(r, read))
            return result;
        qint64 t = read;
        if (t <= previous) {
            if (previous < EndMark)
                reporter.message(timeOrderMessage(r));
            if (!endMet) {
                t = std::min<qint64>(previous + 1, EndMark);
                grid.setCellText(r, SequenceColumn::Ticks, QString::number(t));
            }
        }
        if (t > previous) {
            if (t == EndMark && !endMet) {
                endMet = true;
                endTime = previous;
            }
            previous = t;
            if (t < EndMark)
                count = r;
        }
        table.setTime(i, std::int32_t(t));

        for (ColourChannel c : {Red, Green, Blue}) {
            qint64 v = decimalOr(grid.cellText(r, SequenceColumn::Red + int(c)), -1);
            if (v < 0) {
                v = 0;
            } else if (v > 255) {
                reporter.message(levelRangeMessage(r, c));
                v = 0;
            }
            table.setLevel(i, c, std::int32_t(v));
        }
    }

    result.complete = true;
    result.count = count;
    result.tsEnd = int(std::clamp<qint64>(endMet ? endTime : previous, 0, 65535));
    result.durationMs = ticks::TicksToMs(result.tsEnd, speed);
    result.caption = checkDurationCaption(result.durationMs);
    return result;
}
