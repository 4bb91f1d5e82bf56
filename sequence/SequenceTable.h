#pragma once

#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

// The accepted copy of a colour sequence: three channel curves of 37 points each.
// Step i is point i of the three curves; its time is stored in all three.

constexpr int StorageSteps = 37;      // room for the largest variant
constexpr int EndMark = 65536;        // a step time that ends the sequence ("ENDE")

struct ChannelPoint {
    std::int32_t time = 0;
    std::int32_t level = 0;
};

struct ChannelCurve {
    std::array<ChannelPoint, StorageSteps> points{};
};

struct SequenceStep {
    std::int32_t time = 0;
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
};

enum ColourChannel { Red = 0, Green = 1, Blue = 2 };

class SequenceTable {
public:
    // The start-up colour circle: yellow, green, cyan, blue, magenta, red, yellow.
    SequenceTable();

    std::array<ChannelCurve, 3> curves{};

    // Steps outside the storage read as zeros and are not written.
    SequenceStep step(int i) const;
    void setStep(int i, const SequenceStep& step);
    void setTime(int i, std::int32_t time);
    void setLevel(int i, ColourChannel channel, std::int32_t level);
    const ChannelCurve& curve(ColourChannel channel) const { return curves[channel]; }
};

// The level of a curve at tick x, from the first `count` points; unsigned 32-bit
// arithmetic throughout. Safe for any input: a count beyond the storage is limited
// to it, and the result always lies within the levels of the points involved.
std::uint32_t LevelAtTick(const ChannelCurve& curve, int count, std::uint32_t x);

// The levels at the n ticks firstTick, firstTick + 1, ... (modulo 2^32), written through
// `out` (*out++ = level), bit-identical to LevelAtTick for every tick and every input.
// It walks the segments in order instead of searching for each tick, and steps through a
// ramp with a running quotient and remainder instead of dividing. An output of uint8_t
// keeps the level modulo 256, as the LED bar does. Returns the advanced iterator.
template <typename Out>
Out LevelsForTicks(const ChannelCurve& curve, int count, std::uint32_t firstTick, std::size_t n, Out out);

namespace detail {
// The ticks x..last (inclusive, last <= 2^32 - 1, x <= last + 1) in one rising run.
template <typename Out>
Out levelsRun(const ChannelCurve& curve, int n, std::uint64_t x, std::uint64_t last, Out out)
{
    const auto& P = curve.points;
    const auto time = [&](int k) { return std::uint64_t(std::uint32_t(P[k].time)); };
    const auto level = [&](int k) { return std::uint32_t(P[k].level); };
    const auto fill = [&](std::uint64_t upto, std::uint32_t v) {
        for (; x <= upto; ++x)
            *out++ = v;
    };
    if (n <= 1) {
        fill(last, level(0));
        return out;
    }
    const std::uint64_t t0 = time(0), tl = time(n - 1);
    if (x < t0)
        fill(std::min(last, t0 - 1), level(0));
    // From here on x >= t0. The segment index only grows with x: it is the first j >= 1
    // with x <= P[j].time, and that set shrinks as x rises, whatever the times.
    int j = 1;
    while (x <= last) {
        if (x > tl) {
            fill(last, level(n - 1));
            break;
        }
        while (j < n && x > time(j))
            ++j;
        const std::uint64_t ta = time(j - 1), tb = time(j);
        const std::uint32_t la = level(j - 1), lb = level(j);
        const std::uint64_t runEnd = std::min({tb, tl, last});
        if (x <= ta)
            fill(std::min(runEnd, ta), la);
        if (x > runEnd)
            continue;
        // ta < x <= runEnd <= tb: a ramp; at x = tb the running value is exactly lb.
        const std::uint64_t dt = tb - ta;
        const std::uint64_t diff = la <= lb ? lb - la : la - lb;
        const std::uint64_t num = diff * (x - ta);
        std::uint64_t q = num / dt, r = num % dt;
        const std::uint64_t dq = diff / dt, dr = diff % dt;
        if (la <= lb) {
            for (;;) {
                *out++ = la + std::uint32_t(q);
                if (++x > runEnd)
                    break;
                q += dq;
                r += dr;
                if (r >= dt) {
                    r -= dt;
                    ++q;
                }
            }
        } else {
            for (;;) {
                *out++ = la - std::uint32_t(q);
                if (++x > runEnd)
                    break;
                q += dq;
                r += dr;
                if (r >= dt) {
                    r -= dt;
                    ++q;
                }
            }
        }
    }
    return out;
}
} // namespace detail

template <typename Out>
Out LevelsForTicks(const ChannelCurve& curve, int count, std::uint32_t firstTick, std::size_t n, Out out)
{
    const int points = std::clamp(count, 0, StorageSteps);
    std::uint64_t x = firstTick;
    while (n > 0) {
        // Ticks wrap at 2^32; each rising run is walked on its own.
        const std::uint64_t room = (std::uint64_t(1) << 32) - x;
        const std::uint64_t len = std::min<std::uint64_t>(n, room);
        out = detail::levelsRun(curve, points, x, x + len - 1, out);
        n -= std::size_t(len);
        x = 0;
    }
    return out;
}

namespace ticks {
// Speed code: Speed * 0.5 + 0.5 truncated, the tick length in units of 2 ms.
int speedCode(int speed);
// d ticks last 2 * speed code * d milliseconds (exact integer arithmetic).
std::uint32_t TicksToMs(std::int64_t ticks, int speed);
// ceil(ms * 0.5) / speed code, truncated; callers limit it to 65536.
std::int64_t MsToTicks(std::int64_t ms, int speed);
// "%u:%02u.%03u": minutes (not limited to 59), seconds, milliseconds.
QString clockText(std::uint32_t ms);
// Reads "%u:%u.%u" (blanks before each number, anything after the third); false when the
// text does not hold all three numbers or one of them does not fit in 32 bits.
bool parseClockText(const QString& text, std::uint32_t& minutes, std::uint32_t& seconds,
                    std::uint32_t& milliseconds);
} // namespace ticks
