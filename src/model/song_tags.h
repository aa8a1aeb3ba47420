#pragma once

#include "model/tuning.h"

#include <string>
#include <string_view>

namespace zembra {

// The tags: what a MIDI file cannot carry of a song (bar length, screen scale, number of bars)
// travels with the title and author in one text event, each value between an opening and a
// closing marker: <LP>50</LP><HP>24</HP><P>24</P><TL>Song</TL><AU>Me</AU>.

struct SongTagValues {
    int barLengthMm = 0;
    int pixelsPerQuarter = 0;
    int barCount = 0;
    std::string title;
    std::string author;
};

// The tag text in the order the song file carries it; not cut to any length.
std::string BuildTagString(const SongTagValues& values);

// Each reader takes the first opening and the first closing marker in the text; the value is
// what lies between them when that is at least one byte, else empty text or 0.
std::string TagTitle(std::string_view text);
std::string TagAuthor(std::string_view text);
// Integer tags read the value as a decimal number and drop its fraction; a value that does not
// begin with a number, or does not fit an int, gives 0.
int TagBarLength(std::string_view text);
int TagScale(std::string_view text);
int TagBars(std::string_view text);

// Whether the text marks one of the program's own files. Exactly these five markers are
// looked for, a mix of opening and closing ones, as files in circulation expect.
bool HasTags(std::string_view text);

SongTagValues ReadTags(std::string_view text);

// A song for any box but the default one names its box in one more tag after the others:
// <BX>15</BX>. The default box writes none, so that its files stay as they always were.
std::string BoxTag(std::string_view boxId);
// The box the text names: what lies between the last opening box marker and the closing one after
// it (the tag is written last, after a title that might hold anything); empty when there is none.
std::string TagBox(std::string_view text);

// A song whose comb is not in equal temperament names its tuning in one more tag after the box's:
// <TN>meantone</TN>. Equal temperament writes none, so that such files stay as they always were.
std::string TuningTag(Tuning tuning);
// The tuning the text names, found as TagBox finds the box; equal temperament when it names none
// or one this program does not know.
Tuning TagTuning(std::string_view text);

} // namespace zembra
