#include "protocol/ModeCommands.h"

#include <cstdint>

namespace protocol {

int setModeData(int modeNumber)
{
    return int(std::uint8_t(128 + std::int64_t(modeNumber)));
}

ChannelFrame setModeFrame(int modeNumber, bool toggle)
{
    return {toggle, ChannelControl, setModeData(modeNumber)};
}

ChannelFrame storeModeFrame(bool toggle)
{
    return {toggle, ChannelControl, StoreModeData};
}

std::array<ChannelFrame, 2> resetFrames()
{
    return {ChannelFrame{true, ChannelControl, 128}, ChannelFrame{false, ChannelControl, 0}};
}

} // namespace protocol
