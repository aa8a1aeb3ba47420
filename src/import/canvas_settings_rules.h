#pragma once

#include "model/box_switch.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zembra {

// The rules of the canvas settings dialog that need no widget: the entries of its lists, how a
// value finds its entry when the dialog opens, how an entry reads back, and the clock's tempo.

// The title and author boxes hold at most this many characters (UTF-16 units, as the box counts).
inline constexpr int kSettingsTextLimit = 32;
// A UTF-8 text as such a box keeps it: cut after kSettingsTextLimit UTF-16 units.
std::string LimitSettingsText(std::string_view text);

std::span<const std::string_view> BeatsEntries();
std::span<const std::string_view> BarCountEntries();
std::span<const std::string_view> BarLengthEntries();
std::span<const std::string_view> ScaleEntries();
// "-12" ... "-1", "0", "+1" ... "+12".
std::span<const std::string_view> TranspositionEntries();

// The entry of beats per bar; "4" when there is none.
int BeatsIndex(int beatsPerBar);

// The first entry whose text begins with the value in decimal; failing that, the first whose
// number is not below the value; -1 (no selection) when there is none either.
int SelectByValue(std::span<const std::string_view> entries, int value);

// "%d" for 0 and below, "+%d" above, searched from the fifth entry on and wrapping around to the
// start, so that -1 finds "-1" and not "-12"; "0" when nothing matches.
int TranspositionIndex(int semitones);

// An entry's number: an optional "+" or "-", digits, and a fraction that is dropped.
std::optional<int> ParseEntry(std::string_view text);

// The clock's tempo while a file with `resolution` ticks per quarter note plays at `tempo` on
// the clock's 96 ticks: tempo × 96 ÷ resolution, truncated. Before any file (resolution 0) the
// tempo is taken as it is.
std::uint32_t ClockTempoFor(double tempo, int resolution);

// The information line after the transposition changed: the counts each followed by an
// ideographic space and the word for pieces.
std::string TranspositionCountsLine(int importable, int notImportable);
// The information line after the import edit dialog's OK: plain spaces throughout.
std::string EditedCountsLine(int importable, int notImportable);

// What moving the song's notes to another box does to them, as the canvas use says before OK;
// without folding no note moves by octaves, and the line does not mention it.
std::string BoxSwitchLine(const BoxSwitchCount& count, bool fold);

// The selected entries the dialog reads back on OK, -1 for none; only the enabled ones count.
struct SettingsChoice {
    int beats = -1;
    int bars = -1;
    int barLength = -1;
    int scale = -1;
    int transposition = -1;
};
struct SettingsEnabled {
    bool title = true;
    bool author = true;
    bool beats = true;
    bool bars = true;
    bool barLength = true;
    bool scale = true;
    bool transposition = true;
    bool tempo = true;
    bool editor = false;
};
struct SettingsValues {
    int beatsPerBar = 0;
    int barCount = 0;
    int barLengthMm = 0;
    int pixelsPerQuarter = 0;
    int transposition = 0;

    bool operator==(const SettingsValues&) const = default;
};
// The values of the enabled lists (the others keep what `values` held); nothing when an enabled
// list has no selection.
std::optional<SettingsValues> ReadChoice(const SettingsChoice& choice, const SettingsEnabled& enabled,
                                         SettingsValues values);

// The entries the lists select when the dialog opens with `values`.
SettingsChoice OpeningChoice(const SettingsValues& values);

// The values an OK reads back when nobody touched the lists: each value as its list selected it
// on opening. Where a list opened without a selection (a value above all its entries) its last,
// largest entry stands in, which is what a user must pick to keep as much as possible.
SettingsValues ConfirmedUnchanged(const SettingsValues& values);

} // namespace zembra
