#pragma once

#include "model/assembly_choices.h"
#include "model/song_state.h"

#include <QColor>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <optional>

namespace zembra {

class OptionSet;

// The longest bar --bar-mm takes, in millimetres.
inline constexpr int kLongestBarMm = 1000;

// Everything the print settings dialog and the paper set-up choose, from the command line. The
// card's other outputs (SVG and DXF for cutters) declare these and add their own options.
struct CardOptions {
    std::optional<int> barLengthMm; // the import's (50, or a song file's own) when absent
    bool barAuto = false;           // --bar-mm auto: the arrangement chose the bar length
    bool mirror = false;
    bool swap = false;
    bool twoRows = false;
    bool noLines = false;
    bool thick = false;
    bool black = false;
    bool noFit = false;
    // The marks for putting the card together: strip numbers, bar numbers every n bars (0: none),
    // the title on every strip.
    bool stripNumbers = false;
    AssemblyChoices assembly;
    QString imagePath;
    QColor textColour;
    QPageLayout paper;

    // The bar length and the print options on the song, as the dialog's OK puts them.
    void ApplyTo(SongState& song) const;
};

// The printed card takes every option; a cutter's drawing has no picture, text colour or black
// lines (its layers are coloured by what they are), so those are not options there.
enum class CardOutput { Print, Cutter };

void DeclareCardOptions(OptionSet& options, CardOutput output = CardOutput::Print);
// False with the message in `error` when an option's value cannot be used.
bool ReadCardOptions(const OptionSet& options, CardOptions* card, QString* error,
                     CardOutput output = CardOutput::Print);

// A paper named on the command line: A4, A3, Letter, Legal (any letter case), or a size in
// millimetres written WxHmm ("210x297mm"). The size is the sheet upright; `writtenWide` tells
// whether a measured one was written wider than high.
std::optional<QPageSize> PaperSizeOf(const QString& name, bool* writtenWide = nullptr);

} // namespace zembra
