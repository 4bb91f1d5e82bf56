#pragma once

#include <QString>

#include <array>
#include <cstdint>

// RC5 frames and the transmitter's feature report.
namespace frames {

constexpr int ReportBufferSize = 256;
using Report = std::array<std::uint8_t, ReportBufferSize>;

enum class Kind { Standard, Extended };

// Bit count (14 or 16) and the two frame bytes, left-aligned.
struct FrameBytes {
    std::uint8_t bits;
    std::uint8_t byte1;
    std::uint8_t byte2;
    bool operator==(const FrameBytes&) const = default;
};

// Standard 14-bit RC5 frame: start, field, toggle, 5-bit address, 6-bit command.
FrameBytes standardFrame(bool toggle, int address, int command);
// The 16-bit frame: start, 0, toggle, 5-bit address, 8-bit data.
FrameBytes extendedFrame(bool toggle, int address, int data);

// The report: id 0, bit count, the two frame bytes, zeros up to the buffer's end.
Report report(const FrameBytes& frame);

// ModuleIndex * 4 + channel, as the low 8 bits of ModuleIndex * 4 OR-ed with the channel.
int channelAddress(int moduleIndex, int channel);

// "RC5-Daten: " and bytes 1..3 of the report, each as two upper-case hex digits and a blank.
QString echoText(const Report& report);
// "SET FEATURE ERROR: <text> (<code in upper-case hex>)" for an errno value.
QString featureErrorText(int errorCode);
// The same with an explicit text, trimmed of trailing blanks, line breaks and full stops.
QString featureErrorText(const QString& systemText, int errorCode);

} // namespace frames
