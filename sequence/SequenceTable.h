#pragma once

#include <QString>

#include <array>
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

namespace ticks {
// Speed code: Speed * 0.5 + 0.5 truncated, the tick length in units of 2 ms.
int speedCode(int speed);
// d ticks last 2 * speed code * d milliseconds (exact integer arithmetic).
std::uint32_t TicksToMs(std::int64_t ticks, int speed);
// ceil(ms * 0.5) / speed code, truncated; callers limit it to 65536.
std::int64_t MsToTicks(std::int64_t ms, int speed);
// "%u:%02u.%03u": minutes (not limited to 59), seconds, milliseconds.
QString clockText(std::uint32_t ms);
// Reads "%u:%u.%u"; false when the text does not hold all three numbers.
bool parseClockText(const QString& text, std::uint32_t& minutes, std::uint32_t& seconds,
                    std::uint32_t& milliseconds);
} // namespace ticks
