#pragma once

namespace zembra {

// How the strips of a long card are joined: butted end to end with tape across the join on the
// back, or overlapped, the next strip's start glued over the end of this one.
enum class JoinKind { Butt, Overlap };

// The tape across a butt joint covers this much card on either side of the cut.
inline constexpr double kTapeZoneMm = 5.0;
// A glue zone shorter than this does not hold; a longer one only adds stiff card.
inline constexpr double kMinOverlapMm = 5.0;
inline constexpr double kMaxOverlapMm = 20.0;
inline constexpr double kDefaultOverlapMm = 10.0;
// Ten metres of card: no blank is longer.
inline constexpr double kLongestBlankMm = 10000.0;

// Bar numbers on every fourth bar: 1, 5, 9, ... as a tune's phrases run.
inline constexpr int kBarNumbersEveryFourth = 4;

// The choices for putting a card together that the song file does not keep: the bar numbers
// along the strips' bottom margin (0: none, else every n-th bar), the title at the start of every
// strip, the join, cuts in the rests, the blanks' length (0: a roll, no limit) and an endless loop.
struct AssemblyChoices {
    int barNumbers = 0;
    bool stripTitles = false;
    JoinKind join = JoinKind::Butt;
    double overlapMm = kDefaultOverlapMm;
    bool splitAtRests = false;
    double blankMm = 0;
    bool loop = false;
    bool operator==(const AssemblyChoices&) const = default;
};

} // namespace zembra
