#include "model/tempo_law.h"

#include <algorithm>

namespace zembra {

namespace {
constexpr int kSliderOrigin = 12000;
constexpr int kMicrosPerStep = 100;
constexpr double kMicrosPerMinute = 60000000.0;
} // namespace

int SliderForTempo(double microsPerQuarter)
{
    const long long t = static_cast<long long>(microsPerQuarter);
    const long long position = kSliderOrigin - t / kMicrosPerStep;
    return static_cast<int>(std::clamp<long long>(position, kTempoSliderMin, kTempoSliderMax));
}

std::uint32_t TempoForSlider(int position)
{
    return static_cast<std::uint32_t>((kSliderOrigin - position) * kMicrosPerStep);
}

int BeatsPerMinute(double microsPerQuarter)
{
    const long long t = static_cast<long long>(microsPerQuarter);
    return t > 0 ? static_cast<int>(static_cast<long long>(kMicrosPerMinute) / t) : 0;
}

} // namespace zembra
