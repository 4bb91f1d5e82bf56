#pragma once

// A 16-bit frame as the module command set writes it: (toggle, channel, data).
// Its address is ChannelAddress = ModuleIndex * 4 + channel, filled in by the sender.
struct ChannelFrame {
    bool toggle = false;
    int channel = 0;
    int data = 0;
    bool operator==(const ChannelFrame&) const = default;
};

// Channels of a module.
enum Channel { ChannelRed = 0, ChannelGreen = 1, ChannelBlue = 2, ChannelControl = 3 };
