#include "sequence/TimeColumn.h"

#include "sequence/DecimalText.h"
#include "sequence/SequenceGridModel.h"
#include "sequence/SequenceTable.h"

#include <algorithm>
#include <limits>

namespace timecolumn {

namespace {
constexpr int TicksCol = SequenceGridModel::ColTicks;
constexpr int ClockCol = SequenceGridModel::ColClock;

int rowsOf(int steps)
{
    return std::clamp(steps, 0, SequenceGridModel::StoredRows - 1);
}

QString signedClockText(std::int64_t ticks, int speed)
{
    if (ticks >= 0)
        return ticks::clockText(ticks::TicksToMs(ticks, speed));
    return QStringLiteral("-") + ticks::clockText(ticks::TicksToMs(-ticks, speed));
}

std::int64_t clockMs(const ClockTime& t)
{
    return std::int64_t(t.minutes) * 60000 + std::int64_t(t.seconds) * 1000 + t.milliseconds;
}

ClockTime heldInDialogRanges(ClockTime t)
{
    t.minutes = std::clamp(t.minutes, 0, 9999);
    t.seconds = std::clamp(t.seconds, 0, 59);
    t.milliseconds = std::clamp(t.milliseconds, 0, 999);
    return t;
}
} // namespace

std::int64_t tickValue(const SequenceGridModel& grid, int row)
{
    // Prefixing "0" makes an empty cell read 0; a sign after it makes the text no number.
    return decimalOrZero(QStringLiteral("0") + grid.cell(TicksCol, row));
}

void refreshTimeColumn(SequenceGridModel& grid, int steps, int speed, bool relative)
{
    std::int64_t prev = 0;
    for (int r = 1; r <= rowsOf(steps); ++r) {
        const std::int64_t t = tickValue(grid, r);
        QString text;
        if (t == EndMark) {
            text = ticks::clockText(0);
            prev = 0;
        } else if (relative) {
            text = signedClockText(t - prev, speed);
            prev = t;
        } else {
            text = ticks::clockText(ticks::TicksToMs(t, speed));
        }
        grid.setCell(ClockCol, r, text);
    }
}

ClockTime presetFromClockText(const QString& text)
{
    std::uint32_t m = 0, s = 0, ms = 0;
    if (!ticks::parseClockText(text, m, s, ms))
        return {};
    const auto held = [](std::uint32_t v) { return int(std::min<std::uint32_t>(v, std::numeric_limits<int>::max())); };
    return ClockTime{held(m), held(s), held(ms)};
}

QString enteredClockText(const ClockTime& time)
{
    const ClockTime t = heldInDialogRanges(time);
    return QStringLiteral("%1:%2.%3")
        .arg(t.minutes)
        .arg(t.seconds, 2, 10, QLatin1Char('0'))
        .arg(t.milliseconds, 3, 10, QLatin1Char('0'));
}

int enteredTicks(const ClockTime& time, int speed)
{
    return int(std::min<std::int64_t>(ticks::MsToTicks(clockMs(heldInDialogRanges(time)), speed), EndMark));
}

bool relativeToTicks(SequenceGridModel& grid, int steps, int speed, QString& error)
{
    std::int64_t sum = 0;
    std::int64_t previousTicks = 0;  // the row above as it stood before the conversion
    for (int r = 1; r <= rowsOf(steps); ++r) {
        const QString cell = grid.cell(TicksCol, r);
        qint32 t = 0;
        if (!readDecimal32(cell, t)) {
            error = conversionErrorText(cell);
            return false;
        }
        if (t == EndMark)
            break;
        std::uint32_t m = 0, s = 0, ms = 0;
        if (ticks::parseClockText(grid.cell(ClockCol, r), m, s, ms)) {
            const std::int64_t total = std::int64_t(m) * 60000 + std::int64_t(s) * 1000 + std::int64_t(ms);
            sum = std::min<std::int64_t>(sum + ticks::MsToTicks(total, speed), EndMark);
        } else {
            sum = std::clamp<std::int64_t>(sum + (std::int64_t(t) - previousTicks), 0, EndMark);
        }
        previousTicks = t;
        grid.setCell(TicksCol, r, QString::number(sum));
    }
    return true;
}

} // namespace timecolumn
