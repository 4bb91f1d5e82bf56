#pragma once

#include <cstdint>

// Where the playback stands: the tick the simulation shows and the last tick of the
// checked sequence. The preview writes both (the end at every rebuild, the position when
// the track bar moves); the simulation steps the position through 0..PlaybackEnd.
struct Playback {
    std::uint32_t PlaybackPosition = 0;
    std::uint32_t PlaybackEnd = 0;
};
