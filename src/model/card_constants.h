#pragma once

// The physical card of the 33-note card music box, in millimetres.
namespace zembra::card {

inline constexpr double kRowPitchMm = 1.8;
inline constexpr double kEdgeMarginMm = 6.0;
// 32 intervals between the 33 row lines, plus a margin above and below.
inline constexpr double kCardWidthMm = kRowPitchMm * 32 + kEdgeMarginMm + kEdgeMarginMm;
inline constexpr double kLeaderMm = 20.0;
inline constexpr double kMarkSizeMm = 1.8;
inline constexpr double kHalfMarkMm = kMarkSizeMm / 2;

// Pens.
inline constexpr double kEdgePenMm = 0.3;
// The dashed line where a joined strip is cut.
inline constexpr double kJoinCutPenMm = 0.3;
inline constexpr double kThickRowPenMm = 0.2;
inline constexpr double kTickPenMm = 0.7;
inline constexpr double kMarkPenMm = 0.4;
inline constexpr double kEndTickMm = 3.0;
inline constexpr double kInnerTickMm = 1.0;

// Fonts: title, author, row labels.
inline constexpr double kTitleFontMm = 4.0;
inline constexpr double kAuthorFontMm = 3.0;
inline constexpr double kLabelFontMm = 2.0;
inline constexpr double kLabelWidthMm = 3.0;

// Feed arrow in the bottom margin, pointing at the card's leading end.
inline constexpr double kArrowFromBottomMm = 4.5;
inline constexpr double kArrowHeightMm = 3.0;
inline constexpr double kArrowStartMm = 20.0;
inline constexpr double kArrowLengthMm = 60.0;
inline constexpr double kArrowPointRiseMm = 1.5;

// Title block.
inline constexpr double kTitleWidthMm = 150.0;
inline constexpr double kTitleTopMm = 0.5;
inline constexpr double kTitleBottomInsetMm = 1.5;
inline constexpr double kAuthorOffsetMm = 90.0;

// Blanking after a strip's end.
inline constexpr double kBlankGapMm = 1.0;
inline constexpr double kBlankOverrunMm = 5.0;
inline constexpr double kBlankInsetMm = 2.0;

// Strip numbers: a band after the strip's last bar, the text reading across the strip; where the
// band finds no room, a line in the top margin against the strip's end.
inline constexpr double kStripNumberGapMm = 0.5;
inline constexpr double kStripNumberBoxMm = 3.0;
inline constexpr double kStripNumberFontMm = 2.5;
inline constexpr double kStripNumberMarginTopMm = 0.5;
inline constexpr double kStripNumberMarginLengthMm = 60.0;

} // namespace zembra::card
