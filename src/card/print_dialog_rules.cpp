#include "card/print_dialog_rules.h"

#include <charconv>

namespace zembra {

int SelectBarLengthItem(int barLengthMm)
{
    const std::string prefix = std::to_string(barLengthMm);
    for (std::size_t i = 0; i < kBarLengthItems.size(); ++i) {
        if (kBarLengthItems[i].starts_with(prefix)) {
            return static_cast<int>(i);
        }
    }
    for (std::size_t i = 0; i < kBarLengthItems.size(); ++i) {
        if (BarLengthOfItem(static_cast<int>(i)) >= barLengthMm) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(kBarLengthItems.size()) - 1;
}

int BarLengthOfItem(int index)
{
    if (index < 0 || index >= static_cast<int>(kBarLengthItems.size())) {
        return 0;
    }
    const std::string_view item = kBarLengthItems[static_cast<std::size_t>(index)];
    int value = 0;
    std::from_chars(item.data(), item.data() + item.size(), value);
    return value;
}

std::string SilentCountText(int barLengthMm, int count, std::string_view label)
{
    if (barLengthMm <= 0) {
        return {};
    }
    return std::string(label) + std::to_string(count < 0 ? 0 : count);
}

int CardStartBar(int startX, int pixelsPerBar)
{
    if (startX <= 0 || pixelsPerBar <= 0) {
        return 1;
    }
    return startX / pixelsPerBar + 1;
}

SketchMark SketchMarkOf(const PrintNote& note, int pixelsPerBar, int barPixels, int rowCount, bool flipped)
{
    SketchMark mark;
    const long long inBar = pixelsPerBar > 0 ? static_cast<long long>(note.xInBar) * barPixels / pixelsPerBar : 0;
    mark.along = static_cast<int>(static_cast<long long>(note.bar) * barPixels + inBar);
    // Row r (0 = bottom) is line rowCount - r; turned one way only, line r.
    const int row = rowCount - 1 - note.rowFromTop;
    mark.line = flipped ? row : rowCount - row;
    return mark;
}

} // namespace zembra
