#include "import/arrange_report.h"

#include "model/music_box.h"
#include "text/string_ids.h"
#include "text/strings.h"

namespace zembra {

namespace {

// %1 … %9 replaced in order.
std::string Filled(std::string_view pattern, const std::vector<std::string>& values)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const std::size_t n = static_cast<std::size_t>(pattern[i + 1] - '1');
            out += n < values.size() ? values[n] : std::string();
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace

std::string ArrangeChangeText(ArrangeChange change)
{
    switch (change) {
    case ArrangeChange::MovedOctave:
        return std::string(text(str::kArrangeMovedOctave));
    case ArrangeChange::Replaced:
        return std::string(text(str::kArrangeReplaced));
    case ArrangeChange::Dropped:
        break;
    }
    return std::string(text(str::kArrangeDropped));
}

std::string ArrangeReasonText(ArrangeReason reason)
{
    const int r = static_cast<int>(reason) - 1;
    if (r < 0 || r >= str::kArrangeReasonCount) {
        return {};
    }
    return std::string(text(str::kArrangeReasonFirst + r));
}

std::string BarBeatText(std::uint32_t tick, int resolution, int beatsPerBar)
{
    if (resolution <= 0 || beatsPerBar <= 0) {
        return "1.1";
    }
    const std::uint64_t bar = static_cast<std::uint64_t>(resolution) * static_cast<std::uint64_t>(beatsPerBar);
    return std::to_string(tick / bar + 1) + "." + std::to_string(tick % bar / static_cast<std::uint64_t>(resolution) + 1);
}

std::string ArrangeReportText(const ArrangeResult& result, int resolution, int beatsPerBar)
{
    const std::string transposition =
        result.transposition > 0 ? "+" + std::to_string(result.transposition) : std::to_string(result.transposition);
    std::string report = Filled(text(str::kArrangeSummary),
                                {transposition, std::to_string(result.melodyTrack + 1), std::to_string(result.melodyKept),
                                 std::to_string(result.melodyNotes), std::to_string(result.melodyOnTop),
                                 std::to_string(result.bassKept), std::to_string(result.bassBeats),
                                 std::to_string(result.edits.size())});
    report += "\n\n";
    report += text(str::kArrangeListHeader);
    report += "\n";
    for (const ArrangeEdit& edit : result.edits) {
        report += BarBeatText(edit.tick, resolution, beatsPerBar);
        report += "\t" + NameOfNote(edit.key);
        if (edit.melody) {
            report += " (" + std::string(text(str::kArrangeMelodyTag)) + ")";
        }
        report += "\t" + (edit.toPitch >= 0 ? NameOfNote(edit.toPitch) : std::string("-"));
        report += "\t" + ArrangeChangeText(edit.change);
        report += "\t" + ArrangeReasonText(edit.reason);
        report += "\n";
    }
    return report;
}

} // namespace zembra
