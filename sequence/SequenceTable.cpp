#include "sequence/SequenceTable.h"

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

SequenceStep SequenceTable::step(int i) const
{
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
    for (auto& c : curves)
        c.points[i].time = time;
}

void SequenceTable::setLevel(int i, ColourChannel channel, std::int32_t level)
{
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
    if (x <= ta)  // only reachable when times do not rise
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
    return int(speed * 0.5 + 0.5);
}

std::uint32_t TicksToMs(std::int64_t ticks, int speed)
{
    return std::uint32_t(2 * std::int64_t(speedCode(speed)) * ticks);
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
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d+):\\s*(\\d+)\\.\\s*(\\d+)"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return false;
    minutes = m.captured(1).toUInt();
    seconds = m.captured(2).toUInt();
    milliseconds = m.captured(3).toUInt();
    return true;
}

} // namespace ticks
