#pragma once

#include "import/canvas_settings_rules.h"
#include "import/file_facts.h"
#include "import/import_options.h"
#include "import/import_placement.h"

#include <cstdint>
#include <string>

namespace zembra {

// What the canvas settings dialog opens with when a file is imported.
struct ImportSettings {
    bool ownFile = false;  // the text carries the song tags
    std::string title;
    std::string author;
    int barLengthMm = 50;
    int pixelsPerQuarter = 24;
    int barCount = 0;
    int beatsPerBar = 4;
    // The piece is longer than the longest bar count the dialog offers: only its first bars fit.
    bool barsClipped = false;
};

inline constexpr int kLongestBarCount = 80;

// The beats the dialog selects for a file's beats per bar: 3 stays, everything else is 4.
int DialogBeatsPerBar(int fileBeats);

// The length of the piece in bars of `beatsPerBar`, rounded up; never more than the longest
// bar count the dialog offers.
int DefaultBarCount(std::uint64_t pieceTicks, int resolution, int beatsPerBar, bool* clipped = nullptr);

// The dialog's starting values: the song tags of one of the program's own files, otherwise the
// file's name marked as imported, the default grid and the piece's length in bars.
ImportSettings MakeImportSettings(const FileFacts& facts, const ImportCounts& counts);

// A song as the import settings place it: what decides whether the canvas then holds the file
// as it was saved.
struct PlacedSong {
    SettingsValues values; // the grid and the transposition
    std::string title;
    std::string author;
    double tempo = 0.0;
    ImportOptions options;
    bool edited = false; // the import editor's OK rewrote the tracks

    bool operator==(const PlacedSong&) const = default;
};

// Whether an import leaves the canvas holding a song file of this program as it was saved: the
// file carries the song tags, and its settings were confirmed as they opened, nothing edited.
// Anything else, and every foreign file, is a song still to be saved.
bool PlacedAsSaved(bool ownFile, const PlacedSong& opened, const PlacedSong& confirmed);

// The information line of the import: the counts of notes that can and cannot be placed.
std::string ImportInfoLine(const ImportCounts& counts);

} // namespace zembra
