#pragma once

#include "protocol/Upload.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// The whole upload stream at once, for the tests: a byte list built straight from the byte
// rules (independent of the step-wise encoder the program uses) and the encoder's frames.
namespace protocol {

// Everything an upload reads, taken at one moment (the percentages apply to every step).
struct UploadInputs {
    int maxSteps = 37;
    int count = 1;
    int speed = 10;
    int tsEnd = 0;
    std::vector<UploadStep> steps;  // at least maxSteps entries; missing ones count as zeros
    Percentages percent;
    int repeat = 0;
    int slotIndex = 0;
    int followIndex = 0;
};

inline UploadStep stepAt(const UploadInputs& in, int i)
{
    return std::size_t(i) < in.steps.size() ? in.steps[std::size_t(i)] : UploadStep{};
}

inline std::vector<std::uint8_t> uploadDataBytes(const UploadInputs& in)
{
    std::vector<std::uint8_t> out;
    out.reserve(std::size_t(std::max(0, dataByteCount(in.maxSteps))));
    // Element by element: GCC 12 warns falsely about insert() of a range here at -O2.
    const auto append = [&](const auto& bytes) {
        for (std::uint8_t b : bytes)
            out.push_back(b);
    };
    append(headerBytes(in.count, in.speed, in.tsEnd));
    for (int i = 0; i < in.maxSteps; ++i)
        append(stepBytes(stepAt(in, i), in.percent));
    append(trailerBytes(in.repeat, in.slotIndex, in.followIndex));
    return out;
}

// The 8-bit wrapping sum of the bytes.
inline std::uint8_t checksum(const std::vector<std::uint8_t>& bytes)
{
    std::uint8_t sum = 0;
    for (std::uint8_t b : bytes)
        sum = std::uint8_t(sum + b);
    return sum;
}

// (toggle, 1, checksum); the toggle continues the alternation: dataByteCount mod 2.
inline ChannelFrame checksumFrame(int maxSteps, std::uint8_t sum)
{
    return {dataByteCount(maxSteps) % 2 != 0, 1, sum};
}

// Every frame of an upload in the order sent: opening pair, data frames, checksum frame.
inline std::vector<ChannelFrame> uploadFrames(const UploadInputs& in)
{
    UploadEncoder encoder(in.maxSteps);
    std::vector<ChannelFrame> out;
    const auto append = [&](const auto& frames) {
        for (const ChannelFrame& f : frames)
            out.push_back(f);
    };
    append(openingFrames());
    append(encoder.header(in.count, in.speed, in.tsEnd));
    for (int i = 0; i < in.maxSteps; ++i)
        append(encoder.step(stepAt(in, i), in.percent));
    append(encoder.trailer(in.repeat, in.slotIndex, in.followIndex));
    out.push_back(encoder.checksumFrame());
    return out;
}

} // namespace protocol
