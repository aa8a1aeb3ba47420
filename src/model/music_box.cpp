#include "model/music_box.h"

#include <array>
#include <cctype>

namespace zembra {

namespace {

std::vector<int> Chromatic(int from, int to)
{
    std::vector<int> notes;
    for (int note = from; note <= to; ++note) {
        notes.push_back(note);
    }
    return notes;
}

std::vector<int> WhiteKeys(int from, int to)
{
    constexpr std::array<bool, 12> kWhite = {true, false, true, false, true, true, false, true, false, true, false, true};
    std::vector<int> notes;
    for (int note = from; note <= to; ++note) {
        if (kWhite[static_cast<std::size_t>(note % 12)]) {
            notes.push_back(note);
        }
    }
    return notes;
}

std::vector<int> Joined(std::vector<int> first, const std::vector<int>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::vector<MusicBox> MakeBuiltInBoxes()
{
    std::vector<MusicBox> boxes;
    // The 33-note box: middle C, then D4 to A6 chromatic.
    boxes.push_back({"33", "33-note", Joined({60}, Chromatic(62, 93)), {69.6, 6.0, 1.8, 1.7, 8.0, 600.0 / 106.0}, {}});
    // 30 notes in F: F3 G3 C4 D4 E4 F4 G4 A4 A#4 B4, C5 to F6 chromatic, G6 A6.
    boxes.push_back({"30F", "30-note in F",
                     Joined(Joined({53, 55, 60, 62, 64, 65, 67, 69, 70, 71}, Chromatic(72, 89)), {91, 93}),
                     {70.0, 6.0, 2.0, 1.8, 7.25, 300.0 / 45.5}, {}});
    // 30 notes in C: C3 D3 G3 A3 B3 C4 D4 E4 F4 F#4 G4 G#4 A4 A#4 B4, C5 to B5 chromatic, C6 D6 E6.
    boxes.push_back({"30", "30-note in C",
                     Joined(Joined({48, 50, 55, 57, 59, 60, 62, 64, 65, 66, 67, 68, 69, 70, 71}, Chromatic(72, 83)),
                            {84, 86, 88}),
                     {70.0, 6.0, 2.0, 1.8, 7.25, 300.0 / 45.5}, {}});
    boxes.push_back({"20", "20-note", WhiteKeys(60, 93), {70.0, 6.5, 3.0, 2.4, 7.0, 300.0 / 53.0}, {}});
    boxes.push_back({"15", "15-note", WhiteKeys(60, 84), {41.0, 6.5, 2.0, 1.8, 8.0, 300.0 / 49.0}, {}});
    return boxes;
}

} // namespace

std::span<const MusicBox> BuiltInBoxes()
{
    static const std::vector<MusicBox> boxes = MakeBuiltInBoxes();
    return boxes;
}

const MusicBox& DefaultBox()
{
    return BuiltInBoxes().front();
}

const MusicBox* FindBuiltInBox(std::string_view id)
{
    for (const MusicBox& box : BuiltInBoxes()) {
        if (box.id == id) {
            return &box;
        }
    }
    return nullptr;
}

BoxCheck CheckBox(const MusicBox& box)
{
    const int count = static_cast<int>(box.notes.size());
    if (count < kFewestBoxNotes) {
        return {BoxProblem::TooFewNotes, "notes"};
    }
    if (count > kMostBoxNotes) {
        return {BoxProblem::TooManyNotes, "notes"};
    }
    for (int i = 0; i < count; ++i) {
        if (box.notes[i] < 0 || box.notes[i] > 127) {
            return {BoxProblem::NoteOutOfRange, "notes"};
        }
        if (i > 0 && box.notes[i] <= box.notes[i - 1]) {
            return {BoxProblem::NotesOutOfOrder, "notes"};
        }
    }
    const MusicBoxSizes& s = box.sizes;
    const std::pair<double, const char*> sizes[] = {
        {s.stripWidthMm, "stripWidthMm"}, {s.firstRowMm, "firstRowMm"},
        {s.rowPitchMm, "rowPitchMm"},     {s.holeMm, "holeMm"},
        {s.shortestRepeatMm, "shortestRepeatMm"}, {s.paperPerTurnMm, "paperPerTurnMm"},
    };
    for (const auto& [value, field] : sizes) {
        if (!(value > 0)) {
            return {BoxProblem::SizeNotPositive, field};
        }
    }
    if (s.holeMm > s.rowPitchMm - kLeastCardBetweenRowsMm) {
        return {BoxProblem::HoleTooWide, "holeMm"};
    }
    if (s.firstRowMm - s.holeMm / 2 < 0) {
        return {BoxProblem::RowsOutsideStrip, "firstRowMm"};
    }
    if (s.firstRowMm + (count - 1) * s.rowPitchMm + s.holeMm / 2 > s.stripWidthMm) {
        return {BoxProblem::RowsOutsideStrip, "stripWidthMm"};
    }
    if (!box.centsPerTooth.empty() && static_cast<int>(box.centsPerTooth.size()) != count) {
        return {BoxProblem::TuningMismatch, "cents"};
    }
    return {};
}

int NoteFromName(std::string_view name)
{
    constexpr std::array<int, 7> kSteps = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (name.empty()) {
        return -1;
    }
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name.front())));
    if (letter < 'A' || letter > 'G') {
        return -1;
    }
    int step = kSteps[static_cast<std::size_t>(letter - 'A')];
    std::size_t at = 1;
    if (at < name.size() && (name[at] == '#' || name[at] == 'b')) {
        step += name[at] == '#' ? 1 : -1;
        ++at;
    }
    bool negative = false;
    if (at < name.size() && name[at] == '-') {
        negative = true;
        ++at;
    }
    if (at + 1 != name.size() || !std::isdigit(static_cast<unsigned char>(name[at]))) {
        return -1;
    }
    const int octave = (negative ? -1 : 1) * (name[at] - '0');
    if (octave < -1 || octave > 9) {
        return -1;
    }
    const int note = (octave + 1) * 12 + step;
    return note >= 0 && note <= 127 ? note : -1;
}

std::string NameOfNote(int note)
{
    static constexpr std::array<const char*, 12> kNames = {"C", "C#", "D", "D#", "E", "F",
                                                            "F#", "G", "G#", "A", "A#", "B"};
    const int octave = (note >= 0 ? note / 12 : (note - 11) / 12) - 1;
    const int pitchClass = ((note % 12) + 12) % 12;
    return std::string(kNames[static_cast<std::size_t>(pitchClass)]) + std::to_string(octave);
}

} // namespace zembra
