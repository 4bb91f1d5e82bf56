#include "transmitter/ReportDescriptor.h"

#include <algorithm>
#include <vector>

namespace {

enum ItemType : std::uint8_t { Main = 0, Global = 1, Local = 2, Reserved = 3 };

enum MainTag : std::uint8_t { Feature = 0xB };

enum GlobalTag : std::uint8_t { ReportSize = 0x7, ReportId = 0x8, ReportCount = 0x9, Push = 0xA, Pop = 0xB };

constexpr std::uint8_t LongItemPrefix = 0xFE;
// Deeper Push nesting or longer reports than any real device uses mark garbage; the
// limits also keep the arithmetic far from overflow.
constexpr std::size_t MaxPushDepth = 64;
constexpr std::uint64_t MaxReportBits = std::uint64_t(1) << 24;

struct GlobalState {
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

} // namespace

std::optional<std::map<std::uint8_t, std::uint64_t>> ReportDescriptor::featureBits(
    std::span<const std::uint8_t> descriptor)
{
    std::map<std::uint8_t, std::uint64_t> bits;
    GlobalState state;
    std::vector<GlobalState> stack;

    std::size_t pos = 0;
    while (pos < descriptor.size()) {
        const std::uint8_t prefix = descriptor[pos];
        if (prefix == LongItemPrefix) {
            // Long item: prefix, data size, tag, data. No defined long item matters here.
            if (descriptor.size() - pos < 3)
                return std::nullopt;
            const std::size_t dataSize = descriptor[pos + 1];
            if (descriptor.size() - pos - 3 < dataSize)
                return std::nullopt;
            pos += 3 + dataSize;
            continue;
        }
        const std::size_t size = (prefix & 0x3) == 3 ? 4 : (prefix & 0x3);
        const auto type = static_cast<std::uint8_t>((prefix >> 2) & 0x3);
        const auto tag = static_cast<std::uint8_t>(prefix >> 4);
        if (descriptor.size() - pos - 1 < size)
            return std::nullopt;
        std::uint32_t value = 0;  // item data, little-endian, unsigned
        for (std::size_t i = 0; i < size; ++i)
            value |= std::uint32_t(descriptor[pos + 1 + i]) << (8 * i);
        pos += 1 + size;

        if (type == Main && tag == Feature) {
            const std::uint64_t itemBits = std::uint64_t(state.reportSize) * state.reportCount;
            std::uint64_t& total = bits[state.reportId];
            if (itemBits > MaxReportBits || total + itemBits > MaxReportBits)
                return std::nullopt;
            total += itemBits;
        } else if (type == Global) {
            switch (tag) {
            case ReportSize:
                state.reportSize = value;
                break;
            case ReportCount:
                state.reportCount = value;
                break;
            case ReportId:
                if (value == 0 || value > 0xFF)  // id 0 is reserved; ids are one byte
                    return std::nullopt;
                state.reportId = static_cast<std::uint8_t>(value);
                break;
            case Push:
                if (stack.size() >= MaxPushDepth)
                    return std::nullopt;
                stack.push_back(state);
                break;
            case Pop:
                if (stack.empty())
                    return std::nullopt;
                state = stack.back();
                stack.pop_back();
                break;
            default:
                break;
            }
        }
        // Local items and the other main and global items do not change report lengths.
    }
    return bits;
}

int ReportDescriptor::featureReportByteLength(std::span<const std::uint8_t> descriptor)
{
    const auto bits = featureBits(descriptor);
    if (!bits || bits->empty())
        return 0;
    std::uint64_t longest = 0;
    for (const auto& [id, count] : *bits)
        longest = std::max(longest, (count + 7) / 8);
    return static_cast<int>(longest + 1);
}
