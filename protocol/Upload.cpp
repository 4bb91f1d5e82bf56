#include "protocol/Upload.h"

#include "protocol/ModeCommands.h"

#include <cstdio>

namespace protocol {

int speedCode(int speed)
{
    return int(speed * 0.5 + 0.5);
}

std::uint8_t scaledLevel(std::int32_t level, int percent)
{
    return std::uint8_t(std::int64_t(level) * percent / 100);
}

std::uint8_t slotByte(int slotIndex, int followIndex)
{
    return std::uint8_t(slotIndex | (followIndex * 16));
}

std::array<std::uint8_t, 4> headerBytes(int count, int speed, int tsEnd)
{
    return {std::uint8_t(count), std::uint8_t(speedCode(speed)), std::uint8_t(tsEnd),
            std::uint8_t(tsEnd >> 8)};
}

std::array<std::uint8_t, 5> stepBytes(const UploadStep& step, const Percentages& percent)
{
    return {std::uint8_t(step.time), std::uint8_t(step.time >> 8), scaledLevel(step.red, percent.red),
            scaledLevel(step.green, percent.green), scaledLevel(step.blue, percent.blue)};
}

std::array<std::uint8_t, 2> trailerBytes(int repeat, int slotIndex, int followIndex)
{
    return {std::uint8_t(repeat), slotByte(slotIndex, followIndex)};
}

int dataByteCount(int maxSteps)
{
    return 6 + 5 * maxSteps;
}

int progressSteps(int maxSteps)
{
    return 3 + dataByteCount(maxSteps);
}

int uploadFrameCount(int maxSteps)
{
    return 2 + dataByteCount(maxSteps) + 1;
}

std::array<ChannelFrame, 2> openingFrames()
{
    return {ChannelFrame{false, ChannelControl, 1}, ChannelFrame{true, 2, 0}};
}

ChannelFrame dataFrame(int position, std::uint8_t byte)
{
    return {position % 2 != 0, 0, byte};
}

std::array<ChannelFrame, 2> storeFrames()
{
    return {ChannelFrame{false, 2, 1}, ChannelFrame{true, 2, 1}};
}

std::array<ChannelFrame, 1> playFrames()
{
    return {ChannelFrame{false, 2, 2}};
}

// Abandoning an upload resets the module.
std::array<ChannelFrame, 2> abandonFrames()
{
    return resetFrames();
}

std::string pendingChecksumCaption()
{
    return "Übertragen (CRC=0x__)";
}

std::string checksumCaption(std::uint8_t checksum)
{
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", unsigned(checksum));
    return "Übertragen (CRC=0x" + std::string(digits) + ")";
}

UploadEncoder::UploadEncoder(int maxSteps) : m_maxSteps(maxSteps) {}

template <std::size_t N>
std::array<ChannelFrame, N> UploadEncoder::frames(const std::array<std::uint8_t, N>& bytes)
{
    std::array<ChannelFrame, N> out;
    for (std::size_t i = 0; i < N; ++i) {
        m_checksum = std::uint8_t(m_checksum + bytes[i]);
        out[i] = dataFrame(m_position++, bytes[i]);
    }
    return out;
}

std::array<ChannelFrame, 4> UploadEncoder::header(int count, int speed, int tsEnd)
{
    return frames(headerBytes(count, speed, tsEnd));
}

std::array<ChannelFrame, 5> UploadEncoder::step(const UploadStep& s, const Percentages& percent)
{
    return frames(stepBytes(s, percent));
}

std::array<ChannelFrame, 2> UploadEncoder::trailer(int repeat, int slotIndex, int followIndex)
{
    return frames(trailerBytes(repeat, slotIndex, followIndex));
}

ChannelFrame UploadEncoder::checksumFrame() const
{
    // Continues the toggle alternation of the data frames.
    return {m_position % 2 != 0, 1, m_checksum};
}

} // namespace protocol
