#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>

// Reads a HID report descriptor as far as the program needs it: the length of the
// feature reports. Pure and defensive: it never reads outside the given bytes.
class ReportDescriptor {
public:
    // Total bits of the Feature main items per report id (0 when the descriptor uses
    // no report ids), constant/padding items included. nullopt for a truncated or
    // malformed descriptor.
    static std::optional<std::map<std::uint8_t, std::uint64_t>> featureBits(std::span<const std::uint8_t> descriptor);

    // FeatureReportByteLength as the HID capabilities define it: the longest feature
    // report in bytes plus one byte for the report id (also when no ids are used).
    // 0 when there is no Feature item or the descriptor cannot be read.
    static int featureReportByteLength(std::span<const std::uint8_t> descriptor);
};
