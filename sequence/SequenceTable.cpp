#include "sequence/SequenceTable.h"

#include "protocol/Upload.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

SequenceTable::SequenceTable()
{
    const SequenceStep circle[] = {
        {0, 255, 255, 0},   {255, 0, 255, 0},    {510, 0, 255, 255}, {765, 0, 0, 255},
        {1020, 255, 0, 255}, {1275, 255, 0, 0}, {1530, 255, 255, 0}, {EndMark, 0, 0, 0},
    };
    for (int i = 0; i < int(std::size(circle)); ++i)
        setStep(i, circle[i]);
}

namespace {
bool inStorage(int i)
{
    return i >= 0 && i < StorageSteps;
}
} // namespace

SequenceStep SequenceTable::step(int i) const
{
    if (!inStorage(i))
        return {};
    return {curves[Red].points[i].time, curves[Red].points[i].level, curves[Green].points[i].level,
            curves[Blue].points[i].level};
}

void SequenceTable::setStep(int i, const SequenceStep& s)
{
    setTime(i, s.time);
    setLevel(i, Red, s.red);
    setLevel(i, Green, s.green);
    setLevel(i, Blue, s.blue);
}

void SequenceTable::setTime(int i, std::int32_t time)
{
    if (!inStorage(i))
        return;
    for (auto& c : curves)
        c.points[i].time = time;
}

void SequenceTable::setLevel(int i, ColourChannel channel, std::int32_t level)
{
    if (!inStorage(i) || channel < Red || channel > Blue)
        return;
    curves[channel].points[i].level = level;
}

std::uint32_t LevelAtTick(const ChannelCurve& curve, int count, std::uint32_t x)
{
    const auto& P = curve.points;
    const int n = std::clamp(count, 0, StorageSteps);
    const auto time = [&](int k) { return std::uint32_t(P[k].time); };
    const auto level = [&](int k) { return std::uint32_t(P[k].level); };

    if (x < time(0) || n <= 1)
        return level(0);
    if (x > time(n - 1))
        return level(n - 1);
    int j = 1;
    while (j < n && x > time(j))
        ++j;
    const std::uint32_t ta = time(j - 1), tb = time(j), la = level(j - 1), lb = level(j);
    if (x <= ta)  // x at the first point's time, or times that do not rise
        return la;
    const std::uint32_t dx = x - ta;
    const std::uint32_t dt = tb - ta;
    if (dt == 0 || dx >= dt)
        return lb;
    // The product is taken in 64 bits so that unchecked levels cannot wrap around;
    // for checked tables (levels 0..255) the result equals the 32-bit one.
    if (la <= lb)
        return la + std::uint32_t((std::uint64_t(lb - la) * dx) / dt);
    return la - std::uint32_t((std::uint64_t(la - lb) * dx) / dt);
}

namespace ticks {

int speedCode(int speed)
{
    return protocol::speedCode(speed);
}

std::uint32_t TicksToMs(std::int64_t ticks, int speed)
{
    // Exact for the values that occur (2 * 255 * 65536 fits); anything else wraps
    // modulo 2^32 instead of overflowing.
    return std::uint32_t(2 * std::uint64_t(speedCode(speed)) * std::uint64_t(ticks));
}

std::int64_t MsToTicks(std::int64_t ms, int speed)
{
    const int code = speedCode(speed);
    if (code <= 0)
        return 0;
    return std::int64_t(std::ceil(double(ms) * 0.5) / code);
}

QString clockText(std::uint32_t ms)
{
    return QStringLiteral("%1:%2.%3")
        .arg(ms / 60000)
        .arg((ms / 1000) % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

bool parseClockText(const QString& text, std::uint32_t& minutes, std::uint32_t& seconds,
                    std::uint32_t& milliseconds)
{
    static const QRegularExpression re(QStringLiteral("^\\s*([0-9]+):\\s*([0-9]+)\\.\\s*([0-9]+)"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return false;
    bool ok[3];
    const std::uint32_t v[3] = {m.captured(1).toUInt(&ok[0]), m.captured(2).toUInt(&ok[1]),
                                m.captured(3).toUInt(&ok[2])};
    if (!ok[0] || !ok[1] || !ok[2])
        return false;
    minutes = v[0];
    seconds = v[1];
    milliseconds = v[2];
    return true;
}

} // namespace ticks
