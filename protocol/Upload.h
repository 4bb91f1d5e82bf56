#pragma once

#include "protocol/Protocol.h"

#include <array>
#include <cstdint>
#include <string>

// The sequence upload: two opening frames, one frame per data byte on channel 0 with the
// toggle alternating from byte to byte, and a checksum frame on channel 1. Afterwards the
// user stores, plays or abandons the sequence in the module.
namespace protocol {

// Speed (tick length in ms) halved and rounded up: trunc(Speed * 0.5 + 0.5).
int speedCode(int speed);

// One step as the upload reads it from the table: time in ticks (65536 is the end mark)
// and the unscaled levels.
struct UploadStep {
    std::int32_t time = 0;
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
};

// The per-colour scale in percent (0..100), read anew for every step.
struct Percentages {
    int red = 100;
    int green = 100;
    int blue = 100;
};

// level * percent / 100, truncated, low 8 bits.
std::uint8_t scaledLevel(std::int32_t level, int percent);

// Slot index in bits 0..3, follow-up index in bits 4..7: slot | follow * 16, low 8 bits.
std::uint8_t slotByte(int slotIndex, int followIndex);

// count (low 8 bits), speed code, TS_End low and high byte.
std::array<std::uint8_t, 4> headerBytes(int count, int speed, int tsEnd);
// time bits 0..7 and 8..15 (the end mark goes out as 0, 0), then the three scaled levels.
std::array<std::uint8_t, 5> stepBytes(const UploadStep& step, const Percentages& percent);
// Repeat (low 8 bits) and the slot byte.
std::array<std::uint8_t, 2> trailerBytes(int repeat, int slotIndex, int followIndex);

// 6 + 5 * maxSteps: 191 for 37 steps, 171 for 33.
int dataByteCount(int maxSteps);
// Progress bar advances: the start, the two opening frames and every data frame.
int progressSteps(int maxSteps);
// Frames of a whole upload: 2 opening + data bytes + checksum (194 for 37 steps).
int uploadFrameCount(int maxSteps);

std::array<ChannelFrame, 2> openingFrames();          // (0, 3, 1), (1, 2, 0)
ChannelFrame dataFrame(int position, std::uint8_t byte);  // (position mod 2, 0, byte)
std::array<ChannelFrame, 2> storeFrames();            // "Speichern": (0, 2, 1), (1, 2, 1)
std::array<ChannelFrame, 1> playFrames();             // "Abspielen": (0, 2, 2)
std::array<ChannelFrame, 2> abandonFrames();          // "Abbruch": the reset pair

// Captions of the upload button (UTF-8): while sending, and with the checksum sent
// ("Übertragen (CRC=0x69)": two upper-case hex digits).
std::string pendingChecksumCaption();
std::string checksumCaption(std::uint8_t checksum);

// Builds the data frames step by step, so that the caller can read the controls anew
// (and let pending events through) between the parts. The positions, toggles and the
// checksum run on across the calls: header(), then step() once per step, then trailer().
class UploadEncoder {
public:
    explicit UploadEncoder(int maxSteps);

    std::array<ChannelFrame, 4> header(int count, int speed, int tsEnd);
    std::array<ChannelFrame, 5> step(const UploadStep& step, const Percentages& percent);
    std::array<ChannelFrame, 2> trailer(int repeat, int slotIndex, int followIndex);

    // The frame that closes the upload, carrying the sum of all bytes so far.
    ChannelFrame checksumFrame() const;
    std::uint8_t checksum() const { return m_checksum; }
    int position() const { return m_position; }  // data bytes so far
    int maxSteps() const { return m_maxSteps; }

private:
    template <std::size_t N>
    std::array<ChannelFrame, N> frames(const std::array<std::uint8_t, N>& bytes);

    int m_maxSteps;
    int m_position = 0;
    std::uint8_t m_checksum = 0;
};

} // namespace protocol
