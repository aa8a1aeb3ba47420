#pragma once

#include <cstdint>

namespace zembra {

// The tempo slider: position p gives (12000 - p) * 100 microseconds per quarter note, so the
// range 2000..10000 runs from 60 beats per minute at the left to 300 at the right.
inline constexpr int kTempoSliderMin = 2000;
inline constexpr int kTempoSliderMax = 10000;

int SliderForTempo(double microsPerQuarter);
std::uint32_t TempoForSlider(int position);
// Beats per minute for display, truncated; 0 for a tempo of 0.
int BeatsPerMinute(double microsPerQuarter);

} // namespace zembra
