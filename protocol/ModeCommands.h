#pragma once

#include "protocol/Protocol.h"

#include <array>

// Operating mode and reset of a module, all on its control channel.
namespace protocol {

constexpr int StoreModeData = 144;

// 128 + mode number: 128 fixed colour, 129.. the sequences 1..9 (low 8 bits).
int setModeData(int modeNumber);

// The mode commands go out through the direct 16-bit send, whose toggle box supplies the toggle.
ChannelFrame setModeFrame(int modeNumber, bool toggle);
ChannelFrame storeModeFrame(bool toggle);

// (1, 3, 128) then (0, 3, 0); the upload's "Abbruch" sends the same pair.
std::array<ChannelFrame, 2> resetFrames();

} // namespace protocol
